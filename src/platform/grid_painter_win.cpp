#include "platform/grid_painter_win.h"

#include <algorithm>
#include <vector>

#include "platform/twips.h"
#include "platform/unique_handle.h"

namespace velumbrino {

GridPainter::GridPainter(HDC dc, int x, int y, int dpi, bool disabled)
    : dc_(dc),
      x_(x),
      y_(y),
      x_num_(SafeDpi(dpi)),
      x_den_(96),
      y_num_(SafeDpi(dpi)),
      y_den_(96),
      disabled_(disabled) {}

GridPainter::GridPainter(HDC dc, const RECT& target, int columns, int rows)
    : dc_(dc),
      x_(target.left),
      y_(target.top),
      x_num_(target.right - target.left),
      x_den_(std::max(columns, 1)),
      y_num_(target.bottom - target.top),
      y_den_(std::max(rows, 1)),
      disabled_(false) {}

COLORREF GridPainter::Ink(COLORREF c) const {
  if (!disabled_) return c;
  const int lum = (GetRValue(c) * 30 + GetGValue(c) * 59 + GetBValue(c) * 11) / 100;
  const int grey = 150 + lum * 95 / 255;
  return RGB(grey, grey, grey);
}

int GridPainter::OutlineWidth() const { return std::max(1, y_num_ / y_den_); }

void GridPainter::Fill(int l, int t, int r, int b, COLORREF c) const {
  unique_brush brush(CreateSolidBrush(Ink(c)));
  RECT rect{DeviceX(l), DeviceY(t), std::max(DeviceX(r + 1), DeviceX(l) + 1),
            std::max(DeviceY(b + 1), DeviceY(t) + 1)};
  FillRect(dc_, &rect, brush.get());
}

void GridPainter::Box(int l, int t, int r, int b, COLORREF fill, COLORREF edge) const {
  Fill(l, t, r, b, edge);
  if (r - l >= 2 && b - t >= 2) Fill(l + 1, t + 1, r - 1, b - 1, fill);
}

void GridPainter::Line(int x1, int y1, int x2, int y2, COLORREF c, int width) const {
  if (width == 1 && (x1 == x2 || y1 == y2)) {  // straight: whole cells
    Fill(std::min(x1, x2), std::min(y1, y2), std::max(x1, x2), std::max(y1, y2), c);
    return;
  }
  unique_pen pen(CreatePen(PS_SOLID, std::max(1, Scale(width)), Ink(c)));
  scoped_select use(dc_, pen.get());
  MoveToEx(dc_, CentreX(x1), CentreY(y1), nullptr);
  LineTo(dc_, CentreX(x2), CentreY(y2));
  if (width == 1) SetPixelV(dc_, CentreX(x2), CentreY(y2), Ink(c));  // LineTo leaves the end out
}

template <typename Draw>
void GridPainter::Shape(COLORREF fill, COLORREF edge, Draw draw) const {
  unique_brush brush(CreateSolidBrush(Ink(fill)));
  unique_pen pen(CreatePen(PS_SOLID, OutlineWidth(), Ink(edge)));
  scoped_select use_brush(dc_, brush.get());
  scoped_select use_pen(dc_, pen.get());
  draw();
}

void GridPainter::Ellipse(int l, int t, int r, int b, COLORREF fill, COLORREF edge) const {
  Shape(fill, edge,
        [&] { ::Ellipse(dc_, DeviceX(l), DeviceY(t), DeviceX(r + 1), DeviceY(b + 1)); });
}

void GridPainter::Polygon(std::initializer_list<POINT> points, COLORREF fill, COLORREF edge) const {
  std::vector<POINT> moved;
  for (POINT p : points) moved.push_back({DeviceX(p.x), DeviceY(p.y)});
  Shape(fill, edge, [&] { ::Polygon(dc_, moved.data(), static_cast<int>(moved.size())); });
}

void GridPainter::Arc(int l, int t, int r, int b, int sx, int sy, int ex, int ey, COLORREF c,
                      int width) const {
  unique_pen pen(CreatePen(PS_SOLID, std::max(1, Scale(width)), Ink(c)));
  scoped_select use(dc_, pen.get());
  ::Arc(dc_, DeviceX(l), DeviceY(t), DeviceX(r + 1), DeviceY(b + 1), DeviceX(sx), DeviceY(sy),
        DeviceX(ex), DeviceY(ey));
}

void GridPainter::Letter(const wchar_t* text, int l, int t, int r, int b, int height, COLORREF c,
                         const wchar_t* face) const {
  unique_font font(CreateFontW(-Scale(height), 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE,
                               DEFAULT_CHARSET, 0, 0, ANTIALIASED_QUALITY, 0, face));
  scoped_select use(dc_, font.get());
  SetBkMode(dc_, TRANSPARENT);
  SetTextColor(dc_, Ink(c));
  RECT rect{DeviceX(l), DeviceY(t), DeviceX(r + 1), DeviceY(b + 1)};
  DrawTextW(dc_, text, -1, &rect, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}

}  // namespace velumbrino
