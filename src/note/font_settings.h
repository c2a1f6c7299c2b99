#pragma once
// The font command's conversions between the body's selection, the dialog record and the
// default note font.

#include <optional>
#include <string>

#include "note/dialog_settings.h"
#include "store/note_window.h"

namespace velumbrino {

// The selection's font as the body reports it; nullopt where the selection mixes values.
struct SelectionFont {
  std::optional<std::string> face = std::nullopt;
  std::optional<double> size = std::nullopt;  // points, possibly fractional
  std::optional<bool> bold = std::nullopt;
  std::optional<bool> italic = std::nullopt;
  std::optional<bool> underline = std::nullopt;
  std::optional<bool> strikeout = std::nullopt;
  std::optional<Color> color = std::nullopt;
};

// Fills the font fields and the colour from the selection, the size rounded to whole points;
// a mixed attribute keeps the field's value from the last use of the dialog.
void ReadSelectionFont(const SelectionFont& selection, DialogSettings& settings);
// Fills the default note font from the selection (size as text in the user's number format);
// a mixed attribute keeps the font's previous value.
void ReadSelectionFont(const SelectionFont& selection, char decimal_separator, DefaultFont& font);

// A size in points as text: "10", "10,5" (two decimals at most, no trailing zeros). A size
// that is not a positive number gives "10".
std::string FontSizeText(double points, char decimal_separator);

// The default note font from the dialog's font fields (strikeout and colour are not part of it).
DefaultFont ToDefaultFont(const DialogSettings& settings);
// The dialog's font fields from the default note font: the stored size text read as points and
// rounded (an unreadable size gives 10), strikeout off; colour and file fields unchanged.
void ApplyDefaultFont(const DefaultFont& font, DialogSettings& settings);

}  // namespace velumbrino
