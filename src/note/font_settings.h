#pragma once
// The font command's conversions between the body's selection, the dialog record and the
// default note font.

#include <string>

#include "platform/dialog_settings.h"
#include "store/note_window.h"

namespace velumbrino {

// Fills the font fields and the colour from the selection, the size rounded to whole points;
// a mixed attribute keeps the field's value from the last use of the dialog.
void ReadSelectionFont(const SelectionFont& selection, DialogSettings& settings);
// Fills the default note font from the selection (size as text in the user's number format);
// a mixed attribute keeps the font's previous value.
void ReadSelectionFont(const SelectionFont& selection, char decimal_separator, DefaultFont& font);

// A size in points as text: "10", "10,5" (two decimals at most, no trailing zeros). A size
// that is not a positive number gives "10".
std::string FontSizeText(double points, char decimal_separator);

// The dialog's font fields and colour as a font to apply to the selection, every attribute set.
SelectionFont ToSelectionFont(const DialogSettings& settings);

}  // namespace velumbrino
