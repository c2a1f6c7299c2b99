#pragma once
// Pictures designed on a grid of cells and drawn with small GDI calls straight at the size they
// are shown: every coordinate and pen is scaled to device pixels, so a picture at 144 dpi is
// drawn for 144 dpi, not a small bitmap stretched. A disabled painter turns colours into light
// greys.

#include <windows.h>

#include <initializer_list>

namespace velumbrino {

class GridPainter {
 public:
  // One cell is 1/96 inch at `dpi`, from (x, y) in pixels.
  GridPainter(HDC dc, int x, int y, int dpi, bool disabled = false);
  // A grid of `columns` x `rows` cells spread over `target`.
  GridPainter(HDC dc, const RECT& target, int columns, int rows);

  COLORREF Ink(COLORREF c) const;
  // Cells l..r x t..b, inclusive; never thinner than one device pixel.
  void Fill(int l, int t, int r, int b, COLORREF c) const;
  void Box(int l, int t, int r, int b, COLORREF fill, COLORREF edge) const;
  // A straight thin line covers whole cells; any other is drawn with a pen `width` cells wide.
  void Line(int x1, int y1, int x2, int y2, COLORREF c, int width = 1) const;
  void Ellipse(int l, int t, int r, int b, COLORREF fill, COLORREF edge) const;
  void Polygon(std::initializer_list<POINT> points, COLORREF fill, COLORREF edge) const;
  void Arc(int l, int t, int r, int b, int sx, int sy, int ex, int ey, COLORREF c, int width) const;
  void Pixel(int x, int y, COLORREF c) const { Fill(x, y, x, y, c); }
  // One bold letter `height` cells high, centred in the cells l..r, t..b.
  void Letter(const wchar_t* text, int l, int t, int r, int b, int height, COLORREF c,
              const wchar_t* face) const;

 private:
  int Scale(int cells) const { return MulDiv(cells, y_num_, y_den_); }
  int DeviceX(int cell) const { return x_ + MulDiv(cell, x_num_, x_den_); }
  int DeviceY(int cell) const { return y_ + MulDiv(cell, y_num_, y_den_); }
  // The middle of a cell, where a thin line through it runs.
  int CentreX(int cell) const { return (DeviceX(cell) + DeviceX(cell + 1) - 1) / 2; }
  int CentreY(int cell) const { return (DeviceY(cell) + DeviceY(cell + 1) - 1) / 2; }
  // Whole device pixels per cell, so outlines stay one crisp line at 1.5 x.
  int OutlineWidth() const;
  template <typename Draw>
  void Shape(COLORREF fill, COLORREF edge, Draw draw) const;

  HDC dc_;
  int x_, y_;
  int x_num_, x_den_, y_num_, y_den_;  // device pixels per cell, as fractions
  bool disabled_;
};

}  // namespace velumbrino
