#include "note/note_pictures_win.h"

#include "platform/grid_painter_win.h"

namespace velumbrino {
namespace {

constexpr COLORREF kFace = RGB(212, 208, 200);
constexpr COLORREF kHighlight = RGB(255, 255, 255);
constexpr COLORREF kShadow = RGB(128, 128, 128);
constexpr COLORREF kDarkShadow = RGB(64, 64, 64);
constexpr COLORREF kDots = RGB(48, 48, 48);
constexpr COLORREF kPinRed = RGB(204, 32, 32);
constexpr COLORREF kPinDark = RGB(120, 0, 0);
constexpr COLORREF kPinLight = RGB(255, 140, 140);
constexpr COLORREF kNeedle = RGB(96, 96, 96);
constexpr COLORREF kNeedleLight = RGB(176, 176, 176);

// A 3-D button face over the whole picture; raised lights the top left, sunken the reverse.
void ButtonFace(const GridPainter& g, bool raised) {
  const int r = kNotePictureWidth - 1;
  const int b = kNotePictureHeight - 1;
  g.Fill(0, 0, r, b, kFace);
  const COLORREF light = raised ? kHighlight : kDarkShadow;
  const COLORREF dark = raised ? kDarkShadow : kHighlight;
  g.Line(0, 0, r, 0, light);
  g.Line(0, 0, 0, b, light);
  g.Line(0, b, r, b, dark);
  g.Line(r, 0, r, b, dark);
  // Inner bevel.
  const COLORREF inner_light = raised ? kFace : kShadow;
  const COLORREF inner_dark = raised ? kShadow : kFace;
  g.Line(1, 1, r - 1, 1, inner_light);
  g.Line(1, 1, 1, b - 1, inner_light);
  g.Line(1, b - 1, r - 1, b - 1, inner_dark);
  g.Line(r - 1, 1, r - 1, b - 1, inner_dark);
}

// The hide glyph: a dotted rectangle, every other pixel set, a window in miniature.
void DottedRectangle(const GridPainter& g) {
  const int left = 4, top = 4, right = 12, bottom = 11;
  for (int x = left; x <= right; x += 2) {
    g.Pixel(x, top, kDots);
    g.Pixel(x, bottom, kDots);
  }
  for (int y = top; y <= bottom; y += 2) {
    g.Pixel(left, y, kDots);
    g.Pixel(right, y, kDots);
  }
  // Every other pixel: the bottom right corner falls between two dots.
  g.Pixel(right, bottom, kDots);
}

// A push pin lying on its side, the needle pointing left.
void SidewaysPin(const GridPainter& g) {
  // Needle.
  g.Line(2, 8, 6, 8, kNeedle);
  g.Line(3, 7, 6, 7, kNeedleLight);
  // Collar: a disc seen edge-on.
  g.Line(7, 3, 7, 12, kPinDark);
  g.Line(8, 3, 8, 12, kPinRed);
  // Barrel.
  g.Fill(9, 5, 11, 10, kPinRed);
  g.Line(9, 5, 11, 5, kPinLight);
  g.Line(9, 10, 11, 10, kPinDark);
  // Head at the far end.
  g.Fill(12, 4, 14, 11, kPinRed);
  g.Line(12, 4, 14, 4, kPinLight);
  g.Line(14, 4, 14, 11, kPinDark);
  g.Line(12, 11, 14, 11, kPinDark);
}

// The pin seen from above: a round head with its light on the top left.
void HeadOnPin(const GridPainter& g) {
  g.Ellipse(4, 3, 13, 12, kPinRed, kPinDark);
  g.Fill(6, 5, 7, 6, kPinLight);
  g.Pixel(8, 5, kPinLight);
  g.Pixel(6, 7, kPinLight);
  g.Pixel(11, 10, kPinDark);
}

void Render(const GridPainter& g, NotePicture picture, COLORREF ground) {
  switch (picture) {
    case NotePicture::kImage2:
      g.Fill(0, 0, kNotePictureWidth - 1, kNotePictureHeight - 1, ground);
      DottedRectangle(g);
      break;
    case NotePicture::kImage1:
      ButtonFace(g, true);
      DottedRectangle(g);
      break;
    case NotePicture::kImHot:
      g.Fill(0, 0, kNotePictureWidth - 1, kNotePictureHeight - 1, ground);
      SidewaysPin(g);
      break;
    case NotePicture::kImUp:
      ButtonFace(g, true);
      SidewaysPin(g);
      break;
    case NotePicture::kImDown:
      ButtonFace(g, false);
      HeadOnPin(g);
      break;
  }
}

}  // namespace

void DrawNotePicture(HDC dc, NotePicture picture, const RECT& target, COLORREF ground) {
  if (target.right <= target.left || target.bottom <= target.top) return;
  Render(GridPainter(dc, target, kNotePictureWidth, kNotePictureHeight), picture, ground);
}

}  // namespace velumbrino
