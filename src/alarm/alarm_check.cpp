#include "alarm/alarm_check.h"

#include "store/text_utils.h"

namespace velumbrino {

namespace {

bool IsOn(std::string_view stored) { return TextToBool(stored).value_or(false); }

// The check reads the repetition as stored: only "1" repeats.
bool IsDaily(const AlarmKeys& keys) { return Trim(keys.diariamente) == "1"; }

AlarmMinute LatestDailyMinute(const AlarmTime& hora, AlarmMinute at_or_before) {
  const AlarmMinute that_day = MinuteOf(DateOfMinute(at_or_before), hora);
  return that_day <= at_or_before ? that_day : that_day - kMinutesPerDay;
}

}  // namespace

std::string BuiltInAlarmSound(std::string_view app_folder) {
  return std::string(app_folder) + "Alarme\\Alarm08.wav";
}

AlarmKeys ReadAlarmKeys(const NoteSettings& settings, std::string_view app_folder) {
  AlarmKeys keys;
  keys.alarm = settings.Read(NoteKey::kAlarm, "0");
  keys.diariamente = settings.Read(NoteKey::kDiariamente, "0");
  keys.tocar_som = settings.Read(NoteKey::kTocarSom, "0");
  keys.som = settings.Read(NoteKey::kSom, "0");
  keys.path = settings.Read(NoteKey::kPath, BuiltInAlarmSound(app_folder));
  keys.data = settings.Read(NoteKey::kData, "");
  keys.hora = settings.Read(NoteKey::kHora, "");
  return keys;
}

AlarmSoundChoice ChooseAlarmSound(const AlarmKeys& keys, std::string_view app_folder) {
  if (Trim(keys.tocar_som) != "1") return {};
  if (Trim(keys.som) == "1" && !keys.path.empty()) return {AlarmSound::kFile, keys.path};
  return {AlarmSound::kBuiltIn, BuiltInAlarmSound(app_folder)};
}

std::string DailyServedDate(const AlarmTime& hora, AlarmMinute minute) {
  return FormatAlarmDate(DateOfMinute(LatestDailyMinute(hora, minute)));
}

AlarmCheckResult DecideAlarm(const AlarmKeys& keys, std::string_view note, const LocalTime& now,
                             const std::optional<AlarmMinute>& last_fired,
                             std::string_view app_folder) {
  AlarmCheckResult result;
  if (!IsOn(keys.alarm)) {
    result.keep_checking = false;
    return result;
  }
  const auto hora = ParseAlarmTime(keys.hora);
  if (!hora) return result;  // never fires, stays armed

  const bool daily = IsDaily(keys);
  const AlarmMinute now_minute = MinuteOf(now);
  AlarmMinute latest = 0;  // the alarm minute at or before now that may fire
  AlarmMinute next = 0;    // the next alarm minute after now
  bool may_fire = false;
  if (daily) {
    latest = LatestDailyMinute(*hora, now_minute);
    next = latest + kMinutesPerDay;
    const auto served = ParseAlarmDate(keys.data);
    const bool missed =
        now_minute - latest < kDailyLateLimitMinutes && (!served || *served < DateOfMinute(latest));
    may_fire = latest == now_minute || missed;
  } else {
    const auto date = ParseAlarmDate(keys.data);
    if (!date) return result;
    latest = next = MinuteOf(*date, *hora);
    may_fire = latest <= now_minute;
    if (may_fire) result.keep_checking = false;
  }

  if (may_fire && last_fired != latest) {
    result.keep_checking = daily;
    result.firing = AlarmFiring{std::string(note),
                                latest,
                                daily,
                                latest < now_minute,
                                keys.data,
                                keys.hora,
                                ChooseAlarmSound(keys, app_folder)};
    return result;
  }
  if (next - 1 == now_minute) result.next_interval_ms = kAlarmImminentIntervalMs;
  return result;
}

AlarmCheckResult CheckAlarm(const NoteSettings& settings, const Clock& clock, AlarmState& state,
                            std::string_view app_folder) {
  AlarmCheckResult result = DecideAlarm(ReadAlarmKeys(settings, app_folder), settings.Section(),
                                        clock.Now(), state.last_fired, app_folder);
  if (result.firing) state.last_fired = result.firing->alarm_minute;
  return result;
}

bool RemoveAlarmKeys(NoteSettings& settings, int total_forms) {
  std::vector<NoteKeyEdit> keys;
  for (NoteKey key : kAlarmKeys) keys.push_back({key, std::nullopt});
  std::vector<IniEdit> edits = settings.Edits(keys);
  edits.insert(edits.begin(), IniEdit{std::string(kIndexSection), std::string(kTotalFormsKey),
                                      std::to_string(total_forms)});
  return settings.File().Apply(edits);
}

FiringOutcome FinishFiring(NoteSettings& settings, AlarmFiring& firing, std::string_view app_folder,
                           int total_forms) {
  const AlarmKeys keys = ReadAlarmKeys(settings, app_folder);
  const bool unchanged = IsOn(keys.alarm) && IsDaily(keys) == firing.daily &&
                         keys.hora == firing.hora && (firing.daily || keys.data == firing.data);
  if (!unchanged) return FiringOutcome::kDropped;
  firing.sound = ChooseAlarmSound(keys, app_folder);
  bool saved = true;
  if (!firing.daily) {
    saved = RemoveAlarmKeys(settings, total_forms);
  } else if (const std::string served = FormatAlarmDate(DateOfMinute(firing.alarm_minute));
             keys.data != served) {
    saved = settings.Apply({{NoteKey::kData, served}});
  }
  return saved ? FiringOutcome::kSignal : FiringOutcome::kSignalUnsaved;
}

}  // namespace velumbrino
