#pragma once
// FrmInserir: the current date and time in twelve fixed forms, computed once when the dialog
// opens; "OK" or a double click gives back exactly the chosen entry.

#include <windows.h>

#include <array>
#include <optional>
#include <string>

#include "dialogs/insert_date_time.h"
#include "platform/dialog_base_win.h"
#include "store/clock.h"

namespace velumbrino {

// The system's long date form of `date` in UTF-8, empty when the system cannot give one.
std::string SystemLongDate(const LocalTime& date);

class InsertDateTimeDialog : public DialogBase {
 public:
  explicit InsertDateTimeDialog(const Clock& clock) : clock_(clock) {}

  // Runs the dialog over `owner` (the note window); the chosen sample, nullopt on cancel.
  std::optional<std::string> Choose(HWND owner, AppReadyFlag& app_ready);

 protected:
  void OnInit() override;
  void OnCommand(int control_id, int notification) override;

 private:
  void Accept();

  const Clock& clock_;
  std::array<std::string, kDateTimeSampleCount> samples_;
  std::optional<std::string> result_;
};

}  // namespace velumbrino
