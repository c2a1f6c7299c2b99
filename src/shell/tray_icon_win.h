#pragma once
// The program's icon in the notification area, with its balloon.

#include <windows.h>
#include <shellapi.h>

#include <string>

namespace velumbrino {

// The message the icon sends to its window; its lParam is the event (icon version 3), to be
// decoded with TrayDecoder.
constexpr UINT kTrayCallbackMessage = WM_APP + 1;

class TrayIcon {
 public:
  // Nothing is shown until Add. `tip` may be empty (no tooltip).
  TrayIcon(HWND window, HICON icon, const std::wstring& tip = std::wstring(),
           UINT callback_message = kTrayCallbackMessage);
  // Removes the icon if it is shown.
  ~TrayIcon();
  TrayIcon(const TrayIcon&) = delete;
  TrayIcon& operator=(const TrayIcon&) = delete;

  // Adds the icon and asks for version 3 notifications. Call it again when
  // TaskbarCreatedMessage() arrives: the shell restarted and forgot the icon.
  bool Add();
  bool Remove();
  // A balloon on the icon; `icon_kind` is NIIF_INFO and the like. Texts longer than the shell
  // takes (255 characters, title 63) are cut.
  bool ShowBalloon(const std::wstring& title, const std::wstring& text, DWORD icon_kind,
                   UINT timeout_ms);
  bool shown() const { return shown_; }

  // The registered "TaskbarCreated" message.
  static UINT TaskbarCreatedMessage();

 private:
  NOTIFYICONDATAW BaseRecord(UINT flags) const;

  HWND window_;
  HICON icon_;
  std::wstring tip_;
  UINT callback_message_;
  bool shown_ = false;
};

}  // namespace velumbrino
