#pragma once
// Process-wide state of a run: whether the program takes user input, and the current note.

#include "platform/modal_guard.h"

namespace velumbrino {

struct AppState {
  AppReadyFlag app_ready;
  // The note whose body was pressed last, and its collection position (0 for none).
  int current_note_number = 0;
  int current_note_window = 0;
};

}  // namespace velumbrino
