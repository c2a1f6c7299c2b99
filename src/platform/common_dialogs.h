#pragma once
// The platform's common dialogs as the commands see them. The program's implementation shows
// the real dialogs, each with AppReady cleared while it is up; native tests use fakes.

#include <optional>

#include "store/note_window.h"

namespace velumbrino {

class CommonDialogs {
 public:
  virtual ~CommonDialogs() = default;
  // The colour dialog opened on `initial`; nullopt when cancelled. The custom colours the user
  // defined are kept even after a cancel.
  virtual std::optional<Color> ShowColorDialog(WindowHandle owner, Color initial, bool full_open) = 0;
};

}  // namespace velumbrino
