#pragma once
// The per-note alarm check: on each tick of the note's check timer, whether its alarm is due,
// in its last minute, or neither; and what a firing does to the note's stored keys.
//
// A tick of the note's check timer, on the Win32 side (the AlarmState lives with the note
// window, so a new note under a reused number starts afresh):
//   AlarmCheckResult r = CheckAlarm(settings, clock, state, app_folder);
//   timer.enabled = r.keep_checking; timer.interval = r.next_interval_ms;
//   if (r.firing) pending.Add(*r.firing);
// and whenever AppReady is true (at once, or when the last dialog closes):
//   for (AlarmFiring& f : pending.TakeAll()) { FinishFiring(settings_of(f.note), f, ...);
//     blink, show, lift to the topmost band, play f.sound.file unless it is empty; }
// Deleting a note drops its waiting firing (PendingAlarms::Drop). Start-up (after the
// restore) and a resume from sleep run one tick for every note at once, so that alarms
// missed meanwhile fire late.

#include <optional>
#include <string>
#include <string_view>

#include "alarm/alarm_time.h"
#include "store/clock.h"
#include "store/note_keys.h"

namespace velumbrino {

inline constexpr int kAlarmCheckIntervalMs = 59000;    // every clock minute sees a tick
inline constexpr int kAlarmImminentIntervalMs = 3000;  // in the minute before the alarm
// A daily alarm whose minute passed while nothing checked it (the computer slept, the
// program was closed) still fires late within this time, and no later.
inline constexpr AlarmMinute kDailyLateLimitMinutes = 12 * 60;

// The sound shipped beside the program.
std::string BuiltInAlarmSound(std::string_view app_folder);  // app_folder + "Alarme\Alarm08.wav"

// The alarm keys as stored, with the defaults the check reads them with.
struct AlarmKeys {
  std::string alarm = "0";
  std::string diariamente = "0";
  std::string tocar_som = "0";
  std::string som = "0";
  std::string path;  // default: the built-in sound
  std::string data;
  std::string hora;
};
AlarmKeys ReadAlarmKeys(const NoteSettings& settings, std::string_view app_folder);

enum class AlarmSound { kNone, kBuiltIn, kFile };
struct AlarmSoundChoice {
  AlarmSound kind = AlarmSound::kNone;
  std::string file;  // what to play; empty for kNone
};
// "TocarSom" "1" plays: "Path" when "Som" is "1", else the built-in sound.
AlarmSoundChoice ChooseAlarmSound(const AlarmKeys& keys, std::string_view app_folder);

// Kept by the caller for each note for the whole run; one alarm minute never fires twice.
struct AlarmState {
  std::optional<AlarmMinute> last_fired;  // the alarm minute the note last fired for
};

// A firing, from the check that found it due until it signals. It may wait (queued) while
// a dialog is open.
struct AlarmFiring {
  std::string note;              // the note's number, its section in config.cfg
  AlarmMinute alarm_minute = 0;  // the minute it fired for
  bool daily = false;            // daily: re-armed; one-time: its keys are removed
  bool late = false;             // its minute had already passed when the check found it
  std::string data;              // the stored "Data" and "Hora" it fired for
  std::string hora;
  AlarmSoundChoice sound;
};

struct AlarmCheckResult {
  int next_interval_ms = kAlarmCheckIntervalMs;
  bool keep_checking = true;  // the check timer's enabled flag after this tick
  std::optional<AlarmFiring> firing;
};

// The rule itself. Due on time: the alarm minute is now (a daily alarm: today's minute).
// Due late: a one-time alarm whose minute has passed; a daily alarm whose latest minute passed
// less than kDailyLateLimitMinutes ago and that has not fired for that day (its "Data" is
// earlier than that day). Nothing fires while "Alarm" is off or for the minute in last_fired.
// A one-time alarm that fired, or whose alarm is off, stops the timer.
AlarmCheckResult DecideAlarm(const AlarmKeys& keys, std::string_view note, const LocalTime& now,
                             const std::optional<AlarmMinute>& last_fired,
                             std::string_view app_folder);

// One tick: reads the keys afresh, decides, and records a firing in `state`.
AlarmCheckResult CheckAlarm(const NoteSettings& settings, const Clock& clock, AlarmState& state,
                            std::string_view app_folder);

// Run when the firing is about to signal (AppReady true). Reads the alarm keys afresh. If the
// user changed them while the firing waited (another date, time or repetition, or the alarm
// turned off), the firing is dropped: nothing signals and the keys are left alone, so a moved
// alarm fires at its new minute. Otherwise the sound keys go into firing.sound and, in one
// write, the eight alarm keys of a one-time alarm are removed (with the note count
// `total_forms`, as every removal of alarm keys writes it) or a daily one is marked as fired
// today ("Data" becomes the day it fired for). A config.cfg that cannot be written keeps the
// keys; the firing still signals.
enum class FiringOutcome { kSignal, kSignalUnsaved, kDropped };
FiringOutcome FinishFiring(NoteSettings& settings, AlarmFiring& firing, std::string_view app_folder,
                           int total_forms);

// The eight alarm keys deleted, with the note count, in one write.
bool RemoveAlarmKeys(NoteSettings& settings, int total_forms);

// "Data" for a daily alarm armed or fired at `minute`: the day of its latest minute at or
// before it, so that a missed-alarm check counts that day as served.
std::string DailyServedDate(const AlarmTime& hora, AlarmMinute minute);

}  // namespace velumbrino
