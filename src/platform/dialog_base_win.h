#pragma once
// Base of every dialog of the program: a DIALOGEX template of the resource script run modally
// with AppReady cleared while it is up, centred on its owner's screen, made topmost each time
// it is activated (so it stays above pinned notes), and control notifications passed to
// members. What a dialog decides lives in portable code; a subclass moves values between its
// controls and that code.

#include <windows.h>

#include <string>
#include <string_view>

#include "platform/modal_guard.h"

namespace velumbrino {

class DialogBase {
 public:
  DialogBase() = default;
  DialogBase(const DialogBase&) = delete;
  DialogBase& operator=(const DialogBase&) = delete;
  virtual ~DialogBase() = default;

  // Shows the dialog of `template_id` and returns the value it ended with (IDOK, IDCANCEL,
  // or -1 when it could not be created).
  INT_PTR RunModal(HWND owner, int template_id, AppReadyFlag& app_ready);

  HWND hwnd() const { return hwnd_; }

 protected:
  virtual void OnInit() {}
  // A control's notification: WM_COMMAND with its id and code. IDOK and IDCANCEL (also the
  // close box and Esc) come here too; their default ends the dialog.
  virtual void OnCommand(int control_id, int notification);
  // Anything else the dialog receives; return true when handled (result in `result`).
  virtual bool OnMessage(UINT message, WPARAM wparam, LPARAM lparam, INT_PTR& result);

  void End(INT_PTR result);

  // Control helpers, in UTF-8.
  HWND Item(int control_id) const { return GetDlgItem(hwnd_, control_id); }
  std::string ItemText(int control_id) const;
  void SetItemText(int control_id, std::string_view text);
  bool IsChecked(int control_id) const;
  void SetChecked(int control_id, bool checked);
  void EnableItem(int control_id, bool enabled);

 private:
  static INT_PTR CALLBACK Procedure(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam);
  void CentreOnOwnerScreen();

  HWND hwnd_ = nullptr;
};

}  // namespace velumbrino
