#include "alarm/blink.h"

#include <string>

#include "store/text_utils.h"

namespace velumbrino {

namespace {

Color StoredColor(const NoteSettings& settings, NoteKey key, Color fallback) {
  return ParseColor(settings.Read(key, std::to_string(fallback))).value_or(fallback);
}

}  // namespace

NoteColors ReadNoteColors(const NoteSettings& settings) {
  return {StoredColor(settings, NoteKey::kColor1, kClassicWindowColor),
          StoredColor(settings, NoteKey::kColor2, kClassicBodyColor)};
}

BlinkStep NextBlinkStep(Color current_frame, const NoteColors& colors) {
  // Compared with the window's own colour only: a note whose two colours are equal still
  // ticks, it just shows no change.
  if ((current_frame & 0xFFFFFF) != colors.window) return {colors.window, kBlinkWindowColorMs};
  return {colors.body, kBlinkBodyColorMs};
}

}  // namespace velumbrino
