#pragma once
// The five 17 x 16 stock pictures of a note's pin and hide buttons, drawn with GDI. Their
// ground is transparent: it is painted in the colour the caller passes (the window colour).

#include <windows.h>

namespace velumbrino {

// Which stock picture a button shows; the hover rules compare these, as picture identity.
enum class NotePicture {
  kImage2,  // hide button, normal: a dotted rectangle
  kImage1,  // hide button, hover: the same on a raised button face
  kImHot,   // pin, normal: lying on its side
  kImUp,    // pin, hover: the same on a raised button face
  kImDown,  // pin, pinned: seen head-on on a sunken, pressed button face
};

inline constexpr int kNotePictureWidth = 17;
inline constexpr int kNotePictureHeight = 16;

// Draws `picture` into `target` (scaled when the target is larger than 17 x 16, as at a
// higher resolution), its transparent parts in `ground`.
void DrawNotePicture(HDC dc, NotePicture picture, const RECT& target, COLORREF ground);

}  // namespace velumbrino
