#pragma once
// The alarm dialog's rules, apart from its window: what it loads from a note's keys, which
// controls are enabled, what OK accepts, and the one write of the eight alarm keys.

#include <string>
#include <string_view>

#include "store/clock.h"
#include "store/note_keys.h"

namespace velumbrino {

// What the dialog's controls hold.
struct AlarmDialogState {
  bool use_alarm = false;   // "Usar Alarme"
  bool daily = false;       // "Todos os dias"
  bool play_sound = false;  // "Tocar Som"
  bool from_file = false;   // "Do Arquivo" selected; otherwise "Padrão"
  std::string path;         // the sound file's path box
  std::string date_text;    // date picker, "dd/MM/yyyy"
  std::string time_text;    // time picker, "hh:mm:ss"
};

// Missing or unreadable keys load as: alarm off, not daily, no sound, "Padrão", the built-in
// sound's path, today's date and the current time.
AlarmDialogState LoadAlarmDialog(const NoteSettings& settings, const Clock& clock,
                                 std::string_view app_folder);

// Which controls are enabled; "Usar Alarme", OK, Cancelar and Ajuda always are. The sound
// group follows "Tocar Som" only while the alarm is in use.
struct AlarmDialogEnabled {
  bool daily = false;          // "Todos os dias"
  bool date = false;           // "Data:" and the date picker
  bool time = false;           // "Hora:" and the time picker
  bool play_sound = false;     // "Tocar Som"
  bool sound_options = false;  // "Padrão", "Do Arquivo" and "Testar"
  bool sound_file = false;     // the path box and "Procurar..."
};
AlarmDialogEnabled EnabledControls(const AlarmDialogState& state);

// What "Testar" plays.
std::string TestSoundFile(const AlarmDialogState& state, std::string_view app_folder);

// Empty when OK may save; otherwise the message to show, the dialog staying open. Only the
// pickers the alarm uses are read: none when it is off, the time alone when it is daily. A date
// before today, or today with a time not later than the current minute, is refused while the
// date matters (the alarm in use and not daily).
std::string_view ValidateAlarmDialog(const AlarmDialogState& state, const LocalTime& now);

// "Alarm", "Diariamente", "TocarSom", "Som", "Path", "Data", "Hora", "HoraAntes", in that
// order and one write; a daily alarm in use stores as "Data" the day of its latest minute
// before now, so that arming it is not taken for a missed alarm. False when config.cfg could
// not be written; nothing of it is then changed.
bool SaveAlarmDialog(NoteSettings& settings, const AlarmDialogState& state, const LocalTime& now);

struct AlarmDialogOutcome {
  bool close = false;          // saved: close the dialog and set the check timer's flag
  bool timer_enabled = false;  // the note's check timer runs exactly when the alarm is in use
  std::string_view message;    // not saved: shown in a message box, the dialog stays open
};
// OK: validate, then save.
AlarmDialogOutcome ConfirmAlarmDialog(NoteSettings& settings, const AlarmDialogState& state,
                                      const Clock& clock);

}  // namespace velumbrino
