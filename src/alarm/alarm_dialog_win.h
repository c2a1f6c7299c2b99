#pragma once
// frmAlarme, "Ajustar Alarme": edits the alarm of one note. The rules (loading, enabling,
// validation, the write of the eight keys) are those of alarm/alarm_dialog.h; this class moves
// values between them and the controls.

#include <windows.h>

#include <optional>
#include <string>

#include "alarm/alarm_dialog.h"
#include "alarm/date_time_picker_win.h"
#include "platform/common_dialogs.h"
#include "platform/dialog_base_win.h"
#include "store/clock.h"
#include "store/note_keys.h"

namespace velumbrino {

class AlarmDialog : public DialogBase {
 public:
  AlarmDialog(NoteSettings settings, const Clock& clock, std::string app_folder,
              AppReadyFlag& app_ready, CommonDialogs& dialogs);

  // Shows the dialog; after OK saved, whether the note's check timer must run; nullopt when
  // it was cancelled (nothing written).
  std::optional<bool> Run(HWND owner);

  // What the controls hold now (for tests and OK).
  AlarmDialogState Collect() const;

 protected:
  void OnInit() override;
  void OnCommand(int control_id, int notification) override;

 private:
  void CreatePicker(clsSysDateTimePick32& picker, clsSysDateTimePick32::Style style, int box_id,
                    int picker_id);
  void Load(const AlarmDialogState& state);
  void ApplyEnabling();
  void Browse();
  void Confirm();

  NoteSettings settings_;
  const Clock& clock_;
  std::string app_folder_;
  AppReadyFlag& app_ready_;
  CommonDialogs& dialogs_;
  clsSysDateTimePick32 date_pick_;  // DatePick, in the box picDate
  clsSysDateTimePick32 time_pick_;  // TimePick, in the box picTime
  bool timer_enabled_ = false;
};

}  // namespace velumbrino
