#pragma once
// The platform's common dialogs as the commands see them. The program's implementation shows
// the real dialogs, each with AppReady cleared while it is up; native tests use fakes.

#include <cstdint>
#include <optional>

#include "platform/dialog_settings.h"
#include "store/note_window.h"

namespace velumbrino {

class CommonDialogs {
 public:
  virtual ~CommonDialogs() = default;
  // The colour dialog opened on `initial`; nullopt when cancelled. The custom colours the user
  // defined are kept even after a cancel.
  virtual std::optional<Color> ShowColorDialog(WindowHandle owner, Color initial, bool full_open) = 0;

  // The file dialogs take owner, filter, filter index, initial folder, title and flags from
  // `settings`; on confirmation file name, file title and filter index are set there, on
  // cancel nothing changes (callers clear the file name first).
  virtual void ShowOpenDialog(DialogSettings& settings) = 0;
  virtual void ShowSaveDialog(DialogSettings& settings) = 0;

  // The font dialog on the font fields, colour and owner of `settings`; true when confirmed
  // (the fields then hold the choice), false when cancelled (they stay as they were).
  virtual bool ShowFontDialog(DialogSettings& settings, bool no_effects) = 0;
  // The printer dialog; with no printer installed the user is told so. True when confirmed:
  // the printer and settings chosen are the ones the next print job uses.
  virtual bool ShowPrinterDialog(DialogSettings& settings, std::uint32_t flags) = 0;
};

}  // namespace velumbrino
