#pragma once
// The five stock pictures of a note's pin and hide buttons, drawn with GDI on a 17 x 16 grid
// (their size at 96 dpi). Their ground is transparent: it is painted in the colour the caller
// passes (the window colour).

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

// Draws `picture` for the size of `target` (larger than 17 x 16 at a higher resolution: the
// shapes are drawn at that size, not a small bitmap stretched), its transparent parts in `ground`.
void DrawNotePicture(HDC dc, NotePicture picture, const RECT& target, COLORREF ground);

}  // namespace velumbrino
