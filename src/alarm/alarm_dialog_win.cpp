#include "alarm/alarm_dialog_win.h"

#include <utility>

#include "alarm/alarm_check.h"
#include "platform/help_win.h"
#include "platform/message_box_win.h"
#include "platform/sound_win.h"
#include "platform/twips_layout_win.h"
#include "platform/wide_string_win.h"
#include "resource.h"
#include "ui_strings.h"

namespace velumbrino {

namespace {
constexpr int kPickerWidthTwips = 1500;
constexpr int kPickerHeightTwips = 300;
}  // namespace

AlarmDialog::AlarmDialog(NoteSettings settings, const Clock& clock, std::string app_folder,
                         AppReadyFlag& app_ready, CommonDialogs& dialogs)
    : settings_(std::move(settings)),
      clock_(clock),
      app_folder_(std::move(app_folder)),
      app_ready_(app_ready),
      dialogs_(dialogs) {}

std::optional<bool> AlarmDialog::Run(HWND owner) {
  if (RunModal(owner, IDD_ALARM, app_ready_) != IDOK) return std::nullopt;
  return timer_enabled_;
}

void AlarmDialog::CreatePicker(clsSysDateTimePick32& picker, clsSysDateTimePick32::Style style,
                               int box_id, int picker_id) {
  RECT box{};
  GetWindowRect(Item(box_id), &box);
  MapWindowPoints(nullptr, hwnd(), reinterpret_cast<POINT*>(&box), 2);
  // The picker's own size, whatever the dialog font makes of the box.
  if (!picker.Create_DTP_Controllers(hwnd(), style, box.left, box.top,
                                     TwipsToWindowPixels(hwnd(), kPickerWidthTwips),
                                     TwipsToWindowPixels(hwnd(), kPickerHeightTwips), picker_id)) {
    return;
  }
  // Right after its box in the tab order.
  SetWindowPos(picker.Get_Handle(), Item(box_id), 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void AlarmDialog::OnInit() {
  CreatePicker(date_pick_, clsSysDateTimePick32::Style::kDate, IDC_ALARM_DATE_BOX,
               IDC_ALARM_DATE_PICKER);
  CreatePicker(time_pick_, clsSysDateTimePick32::Style::kTime, IDC_ALARM_TIME_BOX,
               IDC_ALARM_TIME_PICKER);
  Load(LoadAlarmDialog(settings_, clock_, app_folder_));
}

void AlarmDialog::Load(const AlarmDialogState& state) {
  const LocalTime now = clock_.Now();
  SetChecked(IDC_ALARM_USE, state.use_alarm);
  SetChecked(IDC_ALARM_DAILY, state.daily);
  SetChecked(IDC_ALARM_PLAY, state.play_sound);
  SetChecked(IDC_ALARM_SOUND_DEFAULT, !state.from_file);
  SetChecked(IDC_ALARM_SOUND_FILE, state.from_file);
  SetItemText(IDC_ALARM_PATH, state.path);
  date_pick_.Set_Date(state.date_text, now);
  time_pick_.Set_Time(state.time_text, now);
  ApplyEnabling();
}

AlarmDialogState AlarmDialog::Collect() const {
  AlarmDialogState state;
  state.use_alarm = IsChecked(IDC_ALARM_USE);
  state.daily = IsChecked(IDC_ALARM_DAILY);
  state.play_sound = IsChecked(IDC_ALARM_PLAY);
  state.from_file = !IsChecked(IDC_ALARM_SOUND_DEFAULT);
  state.path = ItemText(IDC_ALARM_PATH);
  state.date_text = date_pick_.Get_Date();
  state.time_text = time_pick_.Get_Time();
  return state;
}

void AlarmDialog::ApplyEnabling() {
  const AlarmDialogEnabled enabled = EnabledControls(Collect());
  EnableItem(IDC_ALARM_DAILY, enabled.daily);
  EnableItem(IDC_ALARM_DATE_LABEL, enabled.date);
  EnableWindow(date_pick_.Get_Handle(), enabled.date);
  EnableItem(IDC_ALARM_TIME_LABEL, enabled.time);
  EnableWindow(time_pick_.Get_Handle(), enabled.time);
  EnableItem(IDC_ALARM_PLAY, enabled.play_sound);
  EnableItem(IDC_ALARM_SOUND_DEFAULT, enabled.sound_options);
  EnableItem(IDC_ALARM_SOUND_FILE, enabled.sound_options);
  EnableItem(IDC_ALARM_TEST, enabled.sound_options);
  EnableItem(IDC_ALARM_PATH, enabled.sound_file);
  EnableItem(IDC_ALARM_BROWSE, enabled.sound_file);
}

void AlarmDialog::Browse() {
  DialogSettings& request = SharedDialogSettings();
  request.file_name.clear();
  request.initial_folder = app_folder_ + "Alarme\\";
  request.owner_window = reinterpret_cast<std::uintptr_t>(hwnd());
  request.filter = TXT_ALARM_SOUND_FILTER;
  request.flags = kTextFileDialogFlags;  // OFN_READONLY | OFN_HIDEREADONLY
  dialogs_.ShowOpenDialog(request);
  if (!request.file_name.empty()) SetItemText(IDC_ALARM_PATH, request.file_name);
}

void AlarmDialog::Confirm() {
  const AlarmDialogOutcome outcome = ConfirmAlarmDialog(settings_, Collect(), clock_);
  if (!outcome.close) {
    ShowMessageBox(app_ready_, hwnd(), outcome.message, TXT_MESSAGE_TITLE,
                   MB_OK | MB_ICONINFORMATION);
    return;
  }
  timer_enabled_ = outcome.timer_enabled;
  End(IDOK);
}

void AlarmDialog::OnCommand(int control_id, int notification) {
  if (notification != BN_CLICKED) return;
  switch (control_id) {
    case IDC_ALARM_USE:
    case IDC_ALARM_DAILY:
    case IDC_ALARM_PLAY:
    case IDC_ALARM_SOUND_DEFAULT:
    case IDC_ALARM_SOUND_FILE:
      ApplyEnabling();
      return;
    case IDC_ALARM_BROWSE:
      Browse();
      return;
    case IDC_ALARM_TEST:
      PlaySoundFile(Widen(TestSoundFile(Collect(), app_folder_)));
      return;
    case IDC_ALARM_HELP:
      ShowHelpTopic(hwnd(), app_ready_, Widen(app_folder_), L"alarme.htm");
      return;
    case IDOK:
      Confirm();
      return;
    default:
      DialogBase::OnCommand(control_id, notification);
  }
}

}  // namespace velumbrino
