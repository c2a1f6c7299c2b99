#include "note/note_pictures_win.h"

#include "platform/unique_handle.h"

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

void FillBox(HDC dc, int left, int top, int right, int bottom, COLORREF color) {
  const RECT box{left, top, right, bottom};
  unique_brush brush(CreateSolidBrush(color));
  FillRect(dc, &box, brush.get());
}

void HorizontalLine(HDC dc, int x1, int x2, int y, COLORREF color) {
  FillBox(dc, x1, y, x2 + 1, y + 1, color);
}

void VerticalLine(HDC dc, int x, int y1, int y2, COLORREF color) {
  FillBox(dc, x, y1, x + 1, y2 + 1, color);
}

// A 3-D button face over the whole picture; raised lights the top left, sunken the reverse.
void ButtonFace(HDC dc, bool raised) {
  const int r = kNotePictureWidth - 1;
  const int b = kNotePictureHeight - 1;
  FillBox(dc, 0, 0, kNotePictureWidth, kNotePictureHeight, kFace);
  const COLORREF light = raised ? kHighlight : kDarkShadow;
  const COLORREF dark = raised ? kDarkShadow : kHighlight;
  HorizontalLine(dc, 0, r, 0, light);
  VerticalLine(dc, 0, 0, b, light);
  HorizontalLine(dc, 0, r, b, dark);
  VerticalLine(dc, r, 0, b, dark);
  // Inner bevel.
  const COLORREF inner_light = raised ? kFace : kShadow;
  const COLORREF inner_dark = raised ? kShadow : kFace;
  HorizontalLine(dc, 1, r - 1, 1, inner_light);
  VerticalLine(dc, 1, 1, b - 1, inner_light);
  HorizontalLine(dc, 1, r - 1, b - 1, inner_dark);
  VerticalLine(dc, r - 1, 1, b - 1, inner_dark);
}

// The hide glyph: a dotted rectangle, every other pixel set, a window in miniature.
void DottedRectangle(HDC dc) {
  const int left = 4, top = 4, right = 12, bottom = 11;
  for (int x = left; x <= right; x += 2) {
    SetPixel(dc, x, top, kDots);
    SetPixel(dc, x, bottom, kDots);
  }
  for (int y = top; y <= bottom; y += 2) {
    SetPixel(dc, left, y, kDots);
    SetPixel(dc, right, y, kDots);
  }
  // Every other pixel: the bottom right corner falls between two dots.
  SetPixel(dc, right, bottom, kDots);
}

// A push pin lying on its side, the needle pointing left.
void SidewaysPin(HDC dc) {
  // Needle.
  HorizontalLine(dc, 2, 6, 8, kNeedle);
  HorizontalLine(dc, 3, 6, 7, kNeedleLight);
  // Collar: a disc seen edge-on.
  VerticalLine(dc, 7, 3, 12, kPinDark);
  VerticalLine(dc, 8, 3, 12, kPinRed);
  // Barrel.
  FillBox(dc, 9, 5, 12, 11, kPinRed);
  HorizontalLine(dc, 9, 11, 5, kPinLight);
  HorizontalLine(dc, 9, 11, 10, kPinDark);
  // Head at the far end.
  FillBox(dc, 12, 4, 15, 12, kPinRed);
  HorizontalLine(dc, 12, 14, 4, kPinLight);
  VerticalLine(dc, 14, 4, 11, kPinDark);
  HorizontalLine(dc, 12, 14, 11, kPinDark);
}

// The pin seen from above: a round head with its light on the top left.
void HeadOnPin(HDC dc) {
  unique_brush red(CreateSolidBrush(kPinRed));
  unique_pen pen(CreatePen(PS_SOLID, 1, kPinDark));
  {
    scoped_select select_pen(dc, pen.get());
    scoped_select select_brush(dc, red.get());
    Ellipse(dc, 4, 3, 14, 13);
  }
  FillBox(dc, 6, 5, 8, 7, kPinLight);
  SetPixel(dc, 8, 5, kPinLight);
  SetPixel(dc, 6, 7, kPinLight);
  SetPixel(dc, 11, 10, kPinDark);
}

void Render(HDC dc, NotePicture picture, COLORREF ground) {
  switch (picture) {
    case NotePicture::kImage2:
      FillBox(dc, 0, 0, kNotePictureWidth, kNotePictureHeight, ground);
      DottedRectangle(dc);
      break;
    case NotePicture::kImage1:
      ButtonFace(dc, true);
      DottedRectangle(dc);
      break;
    case NotePicture::kImHot:
      FillBox(dc, 0, 0, kNotePictureWidth, kNotePictureHeight, ground);
      SidewaysPin(dc);
      break;
    case NotePicture::kImUp:
      ButtonFace(dc, true);
      SidewaysPin(dc);
      break;
    case NotePicture::kImDown:
      ButtonFace(dc, false);
      HeadOnPin(dc);
      break;
  }
}

}  // namespace

void DrawNotePicture(HDC dc, NotePicture picture, const RECT& target, COLORREF ground) {
  const int width = target.right - target.left;
  const int height = target.bottom - target.top;
  if (width <= 0 || height <= 0) return;
  // Drawn once at its own size, then copied: the pixel pattern (the dots) stays crisp.
  memory_dc memory(dc);
  unique_bitmap bitmap(CreateCompatibleBitmap(dc, kNotePictureWidth, kNotePictureHeight));
  if (!memory.get() || !bitmap) return;
  scoped_select select(memory.get(), bitmap.get());
  Render(memory.get(), picture, ground);
  if (width == kNotePictureWidth && height == kNotePictureHeight) {
    BitBlt(dc, target.left, target.top, width, height, memory.get(), 0, 0, SRCCOPY);
  } else {
    const int previous = SetStretchBltMode(dc, COLORONCOLOR);
    StretchBlt(dc, target.left, target.top, width, height, memory.get(), 0, 0, kNotePictureWidth,
               kNotePictureHeight, SRCCOPY);
    SetStretchBltMode(dc, previous);
  }
}

}  // namespace velumbrino
