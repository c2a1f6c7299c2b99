#pragma once
// Process-wide state of a run: whether the program takes user input, and the current note.

namespace velumbrino {

struct AppState {
  // False while start-up restores the notes and while a dialog of the program is open.
  bool app_ready = false;
  int current_note_number = 0;
  int current_note_window = 0;  // position in the collection, 0 for none
};

}  // namespace velumbrino
