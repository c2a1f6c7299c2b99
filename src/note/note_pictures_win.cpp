#include "note/note_pictures_win.h"

#include <algorithm>

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

// The pictures are designed on a 17 x 16 grid and drawn straight into the target rectangle
// at its own size: every grid cell becomes as many device pixels as the resolution gives, so
// a picture at 144 dpi is drawn for 144 dpi, not a 96-dpi bitmap stretched.
class Grid {
 public:
  Grid(HDC dc, const RECT& target) : dc_(dc), target_(target) {}

  int X(int column) const {
    return target_.left + MulDiv(column, target_.right - target_.left, kNotePictureWidth);
  }
  int Y(int row) const {
    return target_.top + MulDiv(row, target_.bottom - target_.top, kNotePictureHeight);
  }
  // Cells left..right-1 x top..bottom-1; never thinner than one device pixel.
  void FillBox(int left, int top, int right, int bottom, COLORREF color) const {
    const RECT box{X(left), Y(top), std::max(X(right), X(left) + 1),
                   std::max(Y(bottom), Y(top) + 1)};
    unique_brush brush(CreateSolidBrush(color));
    FillRect(dc_, &box, brush.get());
  }
  void HorizontalLine(int x1, int x2, int y, COLORREF color) const {
    FillBox(x1, y, x2 + 1, y + 1, color);
  }
  void VerticalLine(int x, int y1, int y2, COLORREF color) const {
    FillBox(x, y1, x + 1, y2 + 1, color);
  }
  void Dot(int x, int y, COLORREF color) const { FillBox(x, y, x + 1, y + 1, color); }
  // Whole device pixels per cell, so outlines stay one crisp line at 1.5 x.
  int PenWidth() const {
    return std::max(1, static_cast<int>(target_.bottom - target_.top) / kNotePictureHeight);
  }
  HDC dc() const { return dc_; }

 private:
  HDC dc_;
  RECT target_;
};

// A 3-D button face over the whole picture; raised lights the top left, sunken the reverse.
void ButtonFace(const Grid& g, bool raised) {
  const int r = kNotePictureWidth - 1;
  const int b = kNotePictureHeight - 1;
  g.FillBox(0, 0, kNotePictureWidth, kNotePictureHeight, kFace);
  const COLORREF light = raised ? kHighlight : kDarkShadow;
  const COLORREF dark = raised ? kDarkShadow : kHighlight;
  g.HorizontalLine(0, r, 0, light);
  g.VerticalLine(0, 0, b, light);
  g.HorizontalLine(0, r, b, dark);
  g.VerticalLine(r, 0, b, dark);
  // Inner bevel.
  const COLORREF inner_light = raised ? kFace : kShadow;
  const COLORREF inner_dark = raised ? kShadow : kFace;
  g.HorizontalLine(1, r - 1, 1, inner_light);
  g.VerticalLine(1, 1, b - 1, inner_light);
  g.HorizontalLine(1, r - 1, b - 1, inner_dark);
  g.VerticalLine(r - 1, 1, b - 1, inner_dark);
}

// The hide glyph: a dotted rectangle, every other pixel set, a window in miniature.
void DottedRectangle(const Grid& g) {
  const int left = 4, top = 4, right = 12, bottom = 11;
  for (int x = left; x <= right; x += 2) {
    g.Dot(x, top, kDots);
    g.Dot(x, bottom, kDots);
  }
  for (int y = top; y <= bottom; y += 2) {
    g.Dot(left, y, kDots);
    g.Dot(right, y, kDots);
  }
  // Every other pixel: the bottom right corner falls between two dots.
  g.Dot(right, bottom, kDots);
}

// A push pin lying on its side, the needle pointing left.
void SidewaysPin(const Grid& g) {
  // Needle.
  g.HorizontalLine(2, 6, 8, kNeedle);
  g.HorizontalLine(3, 6, 7, kNeedleLight);
  // Collar: a disc seen edge-on.
  g.VerticalLine(7, 3, 12, kPinDark);
  g.VerticalLine(8, 3, 12, kPinRed);
  // Barrel.
  g.FillBox(9, 5, 12, 11, kPinRed);
  g.HorizontalLine(9, 11, 5, kPinLight);
  g.HorizontalLine(9, 11, 10, kPinDark);
  // Head at the far end.
  g.FillBox(12, 4, 15, 12, kPinRed);
  g.HorizontalLine(12, 14, 4, kPinLight);
  g.VerticalLine(14, 4, 11, kPinDark);
  g.HorizontalLine(12, 14, 11, kPinDark);
}

// The pin seen from above: a round head with its light on the top left.
void HeadOnPin(const Grid& g) {
  unique_brush red(CreateSolidBrush(kPinRed));
  unique_pen pen(CreatePen(PS_SOLID, g.PenWidth(), kPinDark));
  {
    scoped_select select_pen(g.dc(), pen.get());
    scoped_select select_brush(g.dc(), red.get());
    Ellipse(g.dc(), g.X(4), g.Y(3), g.X(14), g.Y(13));
  }
  g.FillBox(6, 5, 8, 7, kPinLight);
  g.Dot(8, 5, kPinLight);
  g.Dot(6, 7, kPinLight);
  g.Dot(11, 10, kPinDark);
}

void Render(const Grid& g, NotePicture picture, COLORREF ground) {
  switch (picture) {
    case NotePicture::kImage2:
      g.FillBox(0, 0, kNotePictureWidth, kNotePictureHeight, ground);
      DottedRectangle(g);
      break;
    case NotePicture::kImage1:
      ButtonFace(g, true);
      DottedRectangle(g);
      break;
    case NotePicture::kImHot:
      g.FillBox(0, 0, kNotePictureWidth, kNotePictureHeight, ground);
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
  Render(Grid(dc, target), picture, ground);
}

}  // namespace velumbrino
