#pragma once
// The alarms of every note window: each check tick reads the note's keys afresh and decides;
// a firing waits in a queue while AppReady is false (a dialog is open, or start-up is still
// restoring) and signals when it turns true: the note is shown, lifted to the top of the
// topmost band, blinks, and its sound plays once.

#include <functional>
#include <string>

#include "alarm/pending_alarms.h"
#include "platform/modal_guard.h"
#include "store/clock.h"
#include "store/note_collection.h"

namespace velumbrino {

class AlarmNote;

class AlarmSignal {
 public:
  using PlaySound = std::function<void(const std::string& file)>;
  AlarmSignal(NoteCollection& notes, const Clock& clock, const AppReadyFlag& app_ready,
              std::string app_folder, PlaySound play_sound);

  // The note's check timer ticked.
  void CheckTick(AlarmNote& note);
  // One check of every note at once: alarms missed while the program was not running or the
  // computer slept fire late.
  void CheckAll();
  void BlinkTick(AlarmNote& note);
  // A press in the body: the blink ends and both stored colours come back.
  void StopBlinking(AlarmNote& note);
  // The note's window is going away: a firing waiting for it must never signal.
  void NoteClosing(const std::string& note) { pending_.Drop(note); }
  // Signals every waiting firing; does nothing while AppReady is false.
  void ReleaseWaiting();
  bool HasWaiting() const { return !pending_.Empty(); }

 private:
  void Signal(AlarmNote& note, AlarmFiring& firing);

  NoteCollection& notes_;
  const Clock& clock_;
  const AppReadyFlag& app_ready_;
  std::string app_folder_;
  PlaySound play_sound_;
  PendingAlarms pending_;
};

}  // namespace velumbrino
