#pragma once
// What the alarm needs of a note window beyond the collection's view of it: its two timers,
// what the check remembers, and the lift above other windows when it fires. The note window
// implements it, so the alarm never depends on the window itself.

#include "alarm/alarm_check.h"
#include "store/note_window.h"

namespace velumbrino {

class AlarmNote : public NoteWindow {
 public:
  // The check timer's interval, kept while it is stopped.
  virtual void SetAlarmInterval(int milliseconds) = 0;
  // What the alarm check remembers of this note; a new window starts afresh.
  virtual AlarmState& AlarmCheckState() = 0;
  virtual void SetBlinkTimerEnabled(bool enabled) = 0;
  virtual void SetBlinkInterval(int milliseconds) = 0;
  // Top of the topmost band without moving or resizing; the stored pin is not changed.
  virtual void LiftToTopmost() = 0;
};

}  // namespace velumbrino
