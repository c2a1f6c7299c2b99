#include "alarm/alarm_dialog.h"

#include "alarm/alarm_check.h"
#include "alarm/alarm_time.h"
#include "store/text_utils.h"
#include "ui_strings.h"

namespace velumbrino {

namespace {

bool IsChecked(std::string_view stored) { return TextToBool(stored).value_or(false); }
const char* CheckText(bool checked) { return checked ? "1" : "0"; }

}  // namespace

AlarmDialogState LoadAlarmDialog(const NoteSettings& settings, const Clock& clock,
                                 std::string_view app_folder) {
  const LocalTime now = clock.Now();
  AlarmDialogState state;
  state.use_alarm = IsChecked(settings.Read(NoteKey::kAlarm, "0"));
  state.daily = IsChecked(settings.Read(NoteKey::kDiariamente, "0"));
  state.play_sound = IsChecked(settings.Read(NoteKey::kTocarSom, "0"));
  state.from_file = Trim(settings.Read(NoteKey::kSom, "0")) == "1";
  state.path = settings.Read(NoteKey::kPath, BuiltInAlarmSound(app_folder));
  const auto date = ParseAlarmDate(settings.Read(NoteKey::kData, ""));
  state.date_text = FormatAlarmDate(date ? *date : DateOf(now));
  const auto time = ParseAlarmTime(settings.Read(NoteKey::kHora, ""));
  state.time_text = FormatAlarmTime(time ? *time : TimeOf(now));
  return state;
}

AlarmDialogEnabled EnabledControls(const AlarmDialogState& state) {
  AlarmDialogEnabled enabled;
  enabled.daily = enabled.time = enabled.play_sound = state.use_alarm;
  enabled.date = state.use_alarm && !state.daily;
  enabled.sound_options = state.use_alarm && state.play_sound;
  enabled.sound_file = enabled.sound_options && state.from_file;
  return enabled;
}

std::string TestSoundFile(const AlarmDialogState& state, std::string_view app_folder) {
  return state.from_file ? state.path : BuiltInAlarmSound(app_folder);
}

std::string_view ValidateAlarmDialog(const AlarmDialogState& state, const LocalTime& now) {
  // Only what the alarm uses is checked: a picker that gives no text must never stop the
  // user from switching the alarm off.
  if (!state.use_alarm) return {};
  const auto time = ParseAlarmTime(state.time_text);
  if (!time) return TXT_ALARM_UNREADABLE;
  if (!EnabledControls(state).date) return {};
  const auto date = ParseAlarmDate(state.date_text);
  if (!date) return TXT_ALARM_UNREADABLE;
  if (MinuteOf(*date, *time) <= MinuteOf(now)) return TXT_ALARM_IN_PAST;
  return {};
}

bool SaveAlarmDialog(NoteSettings& settings, const AlarmDialogState& state, const LocalTime& now) {
  // Written in the one form the check and the pickers read back, whatever the picker gave.
  const auto date = ParseAlarmDate(state.date_text);
  const auto hora = ParseAlarmTime(state.time_text);
  std::string data = date ? FormatAlarmDate(*date) : state.date_text;
  const std::string time = hora ? FormatAlarmTime(*hora) : state.time_text;
  if (state.use_alarm && state.daily && hora) data = DailyServedDate(*hora, MinuteOf(now) - 1);
  return settings.Apply({
      {NoteKey::kAlarm, CheckText(state.use_alarm)},
      {NoteKey::kDiariamente, CheckText(state.daily)},
      {NoteKey::kTocarSom, CheckText(state.play_sound)},
      {NoteKey::kSom, CheckText(state.from_file)},
      {NoteKey::kPath, state.path},
      {NoteKey::kData, data},
      {NoteKey::kHora, time},
      {NoteKey::kHoraAntes, CalcHoraAntes(time)},
  });
}

AlarmDialogOutcome ConfirmAlarmDialog(NoteSettings& settings, const AlarmDialogState& state,
                                      const Clock& clock) {
  const LocalTime now = clock.Now();
  if (const std::string_view problem = ValidateAlarmDialog(state, now); !problem.empty()) {
    return {false, false, problem};
  }
  if (!SaveAlarmDialog(settings, state, now)) return {false, false, TXT_ALARM_SAVE_FAILED};
  return {true, state.use_alarm, {}};
}

}  // namespace velumbrino
