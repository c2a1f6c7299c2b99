#include "note/note_style.h"

#include "store/text_utils.h"

namespace velumbrino {

Rgb SplitColor(Color color) {
  return {static_cast<int>(color % 256), static_cast<int>((color / 256) % 256),
          static_cast<int>((color / 65536) % 256)};
}

Color MakeColor(Rgb rgb) {
  return static_cast<Color>(rgb.red) | (static_cast<Color>(rgb.green) << 8) |
         (static_cast<Color>(rgb.blue) << 16);
}

Color CustomWindowColor(Color body_color) {
  const Rgb body = SplitColor(body_color);
  // Blue is lowered by 20 but tested against 26, like the other two.
  return MakeColor({body.red > 26 ? body.red - 26 : 0, body.green > 26 ? body.green - 26 : 0,
                    body.blue > 26 ? body.blue - 20 : 0});
}

std::uint8_t OpacityAlpha(int level) {
  // level * 25.5 == level * 51 / 2; an odd product lies exactly on a half.
  const int doubled = level * 51;
  int alpha = doubled / 2;
  if (doubled % 2 != 0 && alpha % 2 != 0) ++alpha;
  if (alpha < 0) alpha = 0;
  if (alpha > 255) alpha = 255;
  return static_cast<std::uint8_t>(alpha);
}

int ParseOpacityLevel(std::string_view stored) {
  const auto level = ParseWholeNumber(stored);
  return level && *level >= 1 && *level <= 10 ? *level : 10;
}

}  // namespace velumbrino
