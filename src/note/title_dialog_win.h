#pragma once
// frmTítulo: edits a note's title. Typing stops at the title limit; the "Data", "Hora" and
// "Com Data e Hora" buttons replace the text with the current date and time. "Ok" gives the
// text back unchanged (also empty); "Cancelar", Esc and the close box give nothing back.

#include <windows.h>

#include <optional>
#include <string>

#include "platform/dialog_base_win.h"
#include "store/clock.h"

namespace velumbrino {

class TitleDialog : public DialogBase {
 public:
  TitleDialog(const Clock& clock, std::string title) : clock_(clock), title_(std::move(title)) {}

  // Runs the dialog over `owner` (the note window); the new title after "Ok".
  std::optional<std::string> Ask(HWND owner, AppReadyFlag& app_ready);

 protected:
  void OnInit() override;
  void OnCommand(int control_id, int notification) override;

 private:
  const Clock& clock_;
  std::string title_;
  std::optional<std::string> result_;
};

}  // namespace velumbrino
