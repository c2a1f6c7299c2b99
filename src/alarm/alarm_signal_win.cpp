#include "alarm/alarm_signal_win.h"

#include <utility>

#include "alarm/alarm_note.h"
#include "alarm/blink.h"
#include "store/text_utils.h"

namespace velumbrino {

AlarmSignal::AlarmSignal(NoteCollection& notes, const Clock& clock, const AppReadyFlag& app_ready,
                         std::string app_folder, PlaySound play_sound)
    : notes_(notes),
      clock_(clock),
      app_ready_(app_ready),
      app_folder_(std::move(app_folder)),
      play_sound_(std::move(play_sound)) {}

void AlarmSignal::CheckTick(AlarmNote& note) {
  const NoteSettings settings(notes_.Settings(), note.Tag());
  const AlarmCheckResult result = CheckAlarm(settings, clock_, note.AlarmCheckState(), app_folder_);
  note.SetAlarmInterval(result.next_interval_ms);
  if (note.AlarmTimerEnabled() != result.keep_checking) {
    note.SetAlarmTimerEnabled(result.keep_checking);
  }
  if (!result.firing) return;
  // Queued rather than waited for in a loop of our own: the message loop goes on, and the
  // firing signals when the last dialog closes.
  pending_.Add(*result.firing);
  ReleaseWaiting();
}

void AlarmSignal::CheckAll() {
  for (int position = 1; position <= notes_.Count(); ++position) {
    if (auto* note = dynamic_cast<AlarmNote*>(&notes_.At(position))) CheckTick(*note);
  }
}

void AlarmSignal::ReleaseWaiting() {
  if (!app_ready_.IsReady()) return;
  for (AlarmFiring& firing : pending_.TakeAll()) {
    // Found again by number: the note may have been deleted while its firing waited.
    const int position = notes_.FindNoteWindow(static_cast<int>(LeadingNumber(firing.note)));
    if (position == 0) continue;
    if (auto* note = dynamic_cast<AlarmNote*>(&notes_.At(position))) Signal(*note, firing);
  }
}

void AlarmSignal::Signal(AlarmNote& note, AlarmFiring& firing) {
  NoteSettings settings(notes_.Settings(), firing.note);
  // A config.cfg that cannot be written keeps the keys; the note still signals, and the
  // minute it fired for is remembered, so it does not fire again for it. An alarm switched
  // off or moved while the firing waited does not signal at all.
  if (FinishFiring(settings, firing, app_folder_, notes_.Count()) == FiringOutcome::kDropped) {
    return;
  }
  note.SetBlinkTimerEnabled(true);
  if (!note.Visible()) {
    // In the band before it appears: the window is then shown straight above the others.
    note.LiftToTopmost();
    note.SetVisible(true);
  }
  note.LiftToTopmost();
  if (!firing.sound.file.empty() && play_sound_) play_sound_(firing.sound.file);
}

void AlarmSignal::BlinkTick(AlarmNote& note) {
  const BlinkStep step =
      NextBlinkStep(note.BackColor(), ReadNoteColors(NoteSettings(notes_.Settings(), note.Tag())));
  note.SetBlinkInterval(step.next_interval_ms);
  note.SetBackColor(step.frame);
}

void AlarmSignal::StopBlinking(AlarmNote& note) {
  note.SetBlinkTimerEnabled(false);
  const NoteColors colors = ReadNoteColors(NoteSettings(notes_.Settings(), note.Tag()));
  note.SetBackColor(colors.window);
  note.SetBodyColor(colors.body);
}

}  // namespace velumbrino
