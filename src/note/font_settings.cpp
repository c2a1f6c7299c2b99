#include "note/font_settings.h"

#include <cmath>

namespace velumbrino {

namespace {

template <typename T>
void Take(const std::optional<T>& value, T& field) {
  if (value) field = *value;
}

}  // namespace

void ReadSelectionFont(const SelectionFont& selection, DialogSettings& settings) {
  Take(selection.bold, settings.bold);
  Take(selection.color, settings.color);
  Take(selection.face, settings.font_name);
  // RichEdit sizes lie between 1 and 1638 points; anything else is not a size to keep.
  if (selection.size && *selection.size >= 1.0 && *selection.size <= 1638.0) {
    settings.font_size = static_cast<int>(std::lround(*selection.size));
  }
  Take(selection.italic, settings.italic);
  Take(selection.strikeout, settings.strikeout);
  Take(selection.underline, settings.underline);
}

void ReadSelectionFont(const SelectionFont& selection, char decimal_separator, DefaultFont& font) {
  if (selection.size) font.size = FontSizeText(*selection.size, decimal_separator);
  Take(selection.face, font.face);
  Take(selection.bold, font.bold);
  Take(selection.italic, font.italic);
  Take(selection.underline, font.underline);
}

SelectionFont ToSelectionFont(const DialogSettings& settings) {
  SelectionFont font;
  if (!settings.font_name.empty()) font.face = settings.font_name;
  if (settings.font_size > 0) font.size = settings.font_size;
  font.bold = settings.bold;
  font.italic = settings.italic;
  font.underline = settings.underline;
  font.strikeout = settings.strikeout;
  font.color = settings.color & 0x00FFFFFF;
  return font;
}

std::string FontSizeText(double points, char decimal_separator) {
  if (!(points > 0.0) || !std::isfinite(points)) return "10";
  const long long hundredths = std::llround(points * 100.0);
  std::string text = std::to_string(hundredths / 100);
  int fraction = static_cast<int>(hundredths % 100);
  if (fraction != 0) {
    text += decimal_separator;
    text += static_cast<char>('0' + fraction / 10);
    if (fraction % 10 != 0) text += static_cast<char>('0' + fraction % 10);
  }
  return text;
}

}  // namespace velumbrino
