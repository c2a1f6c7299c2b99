#pragma once
// What a note window asks of the program around it (the controller implements it).

#include "store/note_window.h"

namespace velumbrino {

class NoteWindowWin;

class NoteWindowHost {
 public:
  virtual ~NoteWindowHost() = default;
  // False while start-up restores notes or a dialog is open: body presses are then ignored.
  virtual bool AppReady() const = 0;
  // A press in the body, or Shift+F10 or the Menu key in the note (AppReady already checked
  // by the caller): makes the note current; with the right button (or those keys), opens the
  // note menu at the screen point.
  virtual void BodyPressed(NoteWindow& note, bool right_button, int screen_x, int screen_y) = 0;
  // The pin button was clicked.
  virtual void PinClicked(NoteWindow& note) = 0;
  // About two seconds after the user last changed the note (typing, a drag that ended,
  // hiding or showing): save its own data now.
  virtual void NoteNeedsSave(NoteWindow& note) = 0;

  // The note's alarm timers ticked: the check (`tmrEvent`) and the blink (`Piscar`).
  virtual void AlarmCheckTick(NoteWindowWin& note) {}
  virtual void BlinkTick(NoteWindowWin& note) {}
  // A press in the body of a blinking note (AppReady already checked): the blink ends.
  virtual void StopBlinking(NoteWindowWin& note) {}
  // The window is about to be destroyed (its note deleted): nothing may signal on it.
  virtual void NoteClosing(NoteWindowWin& note) {}
};

}  // namespace velumbrino
