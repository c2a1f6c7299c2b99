#pragma once
// Colour and opacity rules of a note.

#include <cstdint>
#include <string_view>

#include "store/note_window.h"

namespace velumbrino {

struct Rgb {
  int red;
  int green;
  int blue;
};

// Colour 0x00BBGGRR to its bytes.
Rgb SplitColor(Color color);
Color MakeColor(Rgb rgb);
// The window colour that goes with a chosen body colour: red and green lowered by 26, blue
// by 20, each only when the component is above 26, else 0.
Color CustomWindowColor(Color body_color);
// Level 1-10 to alpha: level x 25.5, halves to the even neighbour (3 -> 76, 5 -> 128).
std::uint8_t OpacityAlpha(int level);
// A stored Opacidade that is not a whole number from 1 to 10 counts as fully opaque (10).
int ParseOpacityLevel(std::string_view stored);

}  // namespace velumbrino
