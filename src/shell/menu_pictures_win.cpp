#include "shell/menu_pictures_win.h"

#include <algorithm>
#include <initializer_list>
#include <vector>

#include "platform/unique_handle.h"

namespace velumbrino {

namespace {

// Draws in a 16 x 16 cell (its size at 96 dpi) with small GDI calls, every coordinate and pen
// scaled to the resolution given: at 144 dpi a 24 x 24 picture is drawn, not a small one
// stretched. A disabled picture turns into light greys.
class Painter {
 public:
  Painter(HDC dc, int x, int y, bool disabled, int dpi = 96)
      : dc_(dc), x_(x), y_(y), disabled_(disabled), dpi_(dpi > 0 ? dpi : 96) {}

  COLORREF Ink(COLORREF c) const {
    if (!disabled_) return c;
    const int lum = (GetRValue(c) * 30 + GetGValue(c) * 59 + GetBValue(c) * 11) / 100;
    const int grey = 150 + lum * 95 / 255;
    return RGB(grey, grey, grey);
  }
  // Cells l..r x t..b, inclusive; never thinner than one device pixel.
  void Fill(int l, int t, int r, int b, COLORREF c) {
    unique_brush brush(CreateSolidBrush(Ink(c)));
    RECT rect{DeviceX(l), DeviceY(t), std::max(DeviceX(r + 1), DeviceX(l) + 1),
              std::max(DeviceY(b + 1), DeviceY(t) + 1)};
    FillRect(dc_, &rect, brush.get());
  }
  void Box(int l, int t, int r, int b, COLORREF fill, COLORREF edge) {
    Fill(l, t, r, b, edge);
    if (r - l >= 2 && b - t >= 2) Fill(l + 1, t + 1, r - 1, b - 1, fill);
  }
  void Line(int x1, int y1, int x2, int y2, COLORREF c, int width = 1) {
    if (width == 1 && (x1 == x2 || y1 == y2)) {  // straight: whole cells, as at 96 dpi
      Fill(std::min(x1, x2), std::min(y1, y2), std::max(x1, x2), std::max(y1, y2), c);
      return;
    }
    unique_pen pen(CreatePen(PS_SOLID, std::max(1, Scale(width)), Ink(c)));
    scoped_select use(dc_, pen.get());
    MoveToEx(dc_, CentreX(x1), CentreY(y1), nullptr);
    LineTo(dc_, CentreX(x2), CentreY(y2));
    if (width == 1) SetPixelV(dc_, CentreX(x2), CentreY(y2), Ink(c));  // LineTo leaves the end out
  }
  void Ellipse(int l, int t, int r, int b, COLORREF fill, COLORREF edge) {
    Shape(fill, edge,
          [&] { ::Ellipse(dc_, DeviceX(l), DeviceY(t), DeviceX(r + 1), DeviceY(b + 1)); });
  }
  void Polygon(std::initializer_list<POINT> points, COLORREF fill, COLORREF edge) {
    std::vector<POINT> moved;
    for (POINT p : points) moved.push_back({DeviceX(p.x), DeviceY(p.y)});
    Shape(fill, edge, [&] { ::Polygon(dc_, moved.data(), static_cast<int>(moved.size())); });
  }
  void Arc(int l, int t, int r, int b, int sx, int sy, int ex, int ey, COLORREF c, int width) {
    unique_pen pen(CreatePen(PS_SOLID, std::max(1, Scale(width)), Ink(c)));
    scoped_select use(dc_, pen.get());
    ::Arc(dc_, DeviceX(l), DeviceY(t), DeviceX(r + 1), DeviceY(b + 1), DeviceX(sx), DeviceY(sy),
          DeviceX(ex), DeviceY(ey));
  }
  void Pixel(int x, int y, COLORREF c) { Fill(x, y, x, y, c); }
  // One bold letter, centred in the cell's rectangle l..r, t..b.
  void Letter(const wchar_t* text, int l, int t, int r, int b, int height, COLORREF c,
              const wchar_t* face) {
    unique_font font(CreateFontW(-Scale(height), 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE,
                                 DEFAULT_CHARSET, 0, 0, ANTIALIASED_QUALITY, 0, face));
    scoped_select use(dc_, font.get());
    SetBkMode(dc_, TRANSPARENT);
    SetTextColor(dc_, Ink(c));
    RECT rect{DeviceX(l), DeviceY(t), DeviceX(r + 1), DeviceY(b + 1)};
    DrawTextW(dc_, text, -1, &rect, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  }

 private:
  int Scale(int at_96) const { return MulDiv(at_96, dpi_, 96); }
  int DeviceX(int cell) const { return x_ + Scale(cell); }
  int DeviceY(int cell) const { return y_ + Scale(cell); }
  // The middle of a cell, where a thin line through it runs.
  int CentreX(int cell) const { return (DeviceX(cell) + DeviceX(cell + 1) - 1) / 2; }
  int CentreY(int cell) const { return (DeviceY(cell) + DeviceY(cell + 1) - 1) / 2; }
  // Whole device pixels per cell, so outlines stay one crisp line at 1.5 x.
  int OutlineWidth() const { return std::max(1, dpi_ / 96); }

  template <typename Draw>
  void Shape(COLORREF fill, COLORREF edge, Draw draw) {
    unique_brush brush(CreateSolidBrush(Ink(fill)));
    unique_pen pen(CreatePen(PS_SOLID, OutlineWidth(), Ink(edge)));
    scoped_select use_brush(dc_, brush.get());
    scoped_select use_pen(dc_, pen.get());
    draw();
  }

  HDC dc_;
  int x_, y_;
  bool disabled_;
  int dpi_;
};

constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kNoteYellow = RGB(0xFF, 0xFF, 0x87);
constexpr COLORREF kNoteEdge = RGB(0xB8, 0x98, 0x20);
constexpr COLORREF kInk = RGB(0x70, 0x60, 0x40);
constexpr COLORREF kBlue = RGB(0x20, 0x60, 0xC8);
constexpr COLORREF kDarkBlue = RGB(0x10, 0x30, 0x80);
constexpr COLORREF kRed = RGB(0xD8, 0x28, 0x20);
constexpr COLORREF kGreen = RGB(0x20, 0x98, 0x30);
constexpr COLORREF kGrey = RGB(0x80, 0x80, 0x80);
constexpr COLORREF kLightGrey = RGB(0xD8, 0xD8, 0xD8);
constexpr COLORREF kFolder = RGB(0xF0, 0xC8, 0x48);
constexpr COLORREF kFolderEdge = RGB(0xA0, 0x78, 0x10);

void DrawNote(Painter& p, int l, int t, int r, int b, bool lines) {
  p.Box(l, t, r, b, kNoteYellow, kNoteEdge);
  p.Fill(l + 1, t + 1, r - 1, t + 2, RGB(0xE5, 0xE5, 0x73));  // the title strip
  if (lines) {
    for (int y = t + 5; y <= b - 2; y += 3) p.Line(l + 2, y, r - 3, y, kInk);
  }
}

void DrawPage(Painter& p, int l, int t, int r, int b) {
  p.Box(l, t, r, b, kWhite, kGrey);
  for (int y = t + 3; y <= b - 2; y += 2) p.Line(l + 2, y, r - 2, y, RGB(0x90, 0xA0, 0xC0));
}

void DrawPlus(Painter& p, int cx, int cy, COLORREF c) {
  p.Fill(cx - 3, cy - 1, cx + 3, cy + 1, kWhite);
  p.Fill(cx - 1, cy - 3, cx + 1, cy + 3, kWhite);
  p.Fill(cx - 2, cy, cx + 2, cy, c);
  p.Fill(cx, cy - 2, cx, cy + 2, c);
}

void DrawTrash(Painter& p) {
  p.Fill(2, 2, 13, 3, kGrey);   // lid
  p.Fill(6, 0, 9, 1, kGrey);    // handle
  p.Polygon({{3, 4}, {12, 4}, {11, 15}, {4, 15}}, RGB(0xB0, 0xC4, 0xDE), RGB(0x40, 0x50, 0x70));
  for (int x : {5, 7, 9}) p.Line(x + (x == 9 ? 1 : 0), 6, x + (x == 9 ? 1 : 0), 13, RGB(0x40, 0x50, 0x70));
}

void DrawEye(Painter& p, bool open) {
  if (open) {
    p.Ellipse(0, 3, 15, 12, kWhite, kBlack);
    p.Ellipse(4, 4, 11, 11, kBlue, kDarkBlue);
    p.Ellipse(6, 6, 9, 9, kBlack, kBlack);
    p.Pixel(6, 6, kWhite);
  } else {
    p.Arc(0, -2, 15, 9, 0, 5, 15, 5, kBlack, 2);  // the lid, closed
    for (int i = 0; i < 4; ++i) p.Line(3 + i * 3, 9, 2 + i * 3 + (i > 1 ? 2 : 0), 12, kBlack);
  }
}

void DrawRoundBadge(Painter& p, COLORREF fill, const wchar_t* glyph, const wchar_t* face) {
  p.Ellipse(0, 0, 15, 15, fill, RGB(GetRValue(fill) / 2, GetGValue(fill) / 2, GetBValue(fill) / 2));
  p.Letter(glyph, 0, 0, 15, 15, 13, kWhite, face);
}

void DrawClock(Painter& p) {
  p.Ellipse(0, 0, 5, 5, RGB(0xF0, 0xC0, 0x30), kFolderEdge);  // bells
  p.Ellipse(10, 0, 15, 5, RGB(0xF0, 0xC0, 0x30), kFolderEdge);
  p.Line(3, 14, 2, 15, kBlack);
  p.Line(12, 14, 13, 15, kBlack);
  p.Ellipse(1, 2, 14, 15, kWhite, kRed);
  p.Line(7, 8, 7, 4, kBlack);
  p.Line(7, 8, 10, 10, kBlack);
}

void DrawPin(Painter& p) {
  p.Line(6, 9, 1, 14, kGrey, 2);  // the needle
  p.Polygon({{4, 8}, {7, 5}, {10, 11}}, RGB(0xA8, 0x18, 0x18), RGB(0x70, 0x10, 0x10));
  p.Polygon({{6, 6}, {10, 2}, {13, 5}, {9, 9}}, kRed, RGB(0x70, 0x10, 0x10));
  p.Ellipse(9, 0, 15, 6, kRed, RGB(0x70, 0x10, 0x10));
  p.Pixel(11, 2, RGB(0xFF, 0xA0, 0xA0));
}

void DrawPalette(Painter& p) {
  p.Ellipse(0, 1, 15, 14, RGB(0xF0, 0xD8, 0xA8), RGB(0x90, 0x70, 0x40));
  p.Ellipse(9, 8, 12, 11, kWhite, RGB(0x90, 0x70, 0x40));  // thumb hole
  p.Ellipse(3, 3, 5, 5, kRed, kRed);
  p.Ellipse(7, 3, 9, 5, kGreen, kGreen);
  p.Ellipse(11, 4, 13, 6, kBlue, kBlue);
  p.Ellipse(2, 7, 4, 9, RGB(0xF0, 0xD0, 0x10), RGB(0xF0, 0xD0, 0x10));
}

void DrawPrinter(Painter& p) {
  p.Box(4, 0, 11, 6, kWhite, kGrey);  // paper in
  p.Box(0, 5, 15, 12, kLightGrey, RGB(0x50, 0x50, 0x50));
  p.Fill(12, 7, 13, 7, kGreen);
  p.Box(3, 10, 12, 15, kWhite, kGrey);  // paper out
  p.Line(5, 12, 10, 12, kInk);
}

void DrawScissors(Painter& p) {
  p.Line(4, 0, 10, 10, kGrey, 2);
  p.Line(11, 0, 5, 10, kGrey, 2);
  p.Ellipse(1, 9, 6, 14, kWhite, kRed);
  p.Ellipse(9, 9, 14, 14, kWhite, kRed);
}

void DrawFolder(Painter& p) {
  p.Polygon({{0, 3}, {5, 3}, {6, 4}, {12, 4}, {12, 14}, {0, 14}}, kFolder, kFolderEdge);
  p.Polygon({{3, 7}, {15, 7}, {12, 14}, {0, 14}}, RGB(0xFA, 0xDC, 0x78), kFolderEdge);
}

void DrawFloppy(Painter& p) {
  p.Polygon({{0, 0}, {13, 0}, {15, 2}, {15, 15}, {0, 15}}, RGB(0x30, 0x58, 0xB0), kDarkBlue);
  p.Box(3, 0, 12, 6, kWhite, kGrey);  // label
  p.Line(5, 2, 10, 2, kBlue);
  p.Line(5, 4, 10, 4, kBlue);
  p.Box(4, 9, 11, 15, kLightGrey, kGrey);  // shutter
  p.Fill(8, 10, 9, 13, RGB(0x30, 0x58, 0xB0));
}

void DrawCalendar(Painter& p) {
  p.Box(0, 2, 15, 15, kWhite, kGrey);
  p.Fill(1, 3, 14, 5, kRed);
  p.Fill(4, 0, 4, 3, kBlack);
  p.Fill(11, 0, 11, 3, kBlack);
  for (int y = 7; y <= 13; y += 3) {
    for (int x = 2; x <= 12; x += 3) p.Fill(x, y, x + 1, y + 1, RGB(0x60, 0x70, 0x90));
  }
  p.Fill(8, 10, 9, 11, kRed);  // today
}

}  // namespace

void DrawMenuCheckMark(HDC dc, int cx, int cy, COLORREF color, int dpi) {
  Painter p(dc, cx - MulDiv(4, dpi, 96), cy - MulDiv(4, dpi, 96), false, dpi);
  for (int i = 0; i < 2; ++i) {
    p.Line(0, 4 + i, 2, 6 + i, color);
    p.Line(2, 6 + i, 7, 1 + i, color);
  }
}

void DrawMenuPicture(HDC dc, int x, int y, MenuPicture picture, bool disabled, int dpi) {
  Painter p(dc, x, y, disabled, dpi);
  switch (picture) {
    case MenuPicture::kNone:
      break;
    case MenuPicture::kNewNote:
      DrawNote(p, 1, 0, 13, 13, true);
      DrawPlus(p, 12, 12, kGreen);
      break;
    case MenuPicture::kNotes:
      DrawNote(p, 4, 0, 15, 11, false);
      DrawNote(p, 0, 4, 11, 15, true);
      break;
    case MenuPicture::kDeleteNotes:
    case MenuPicture::kDeleteNote:
      DrawTrash(p);
      break;
    case MenuPicture::kShowSelected:
      for (int row = 0; row < 3; ++row) {
        const int y0 = 1 + row * 5;
        p.Box(0, y0, 4, y0 + 4, kWhite, kGrey);
        if (row != 1) {
          p.Line(1, y0 + 2, 2, y0 + 3, kGreen);
          p.Line(2, y0 + 3, 4, y0 + 0, kGreen);
        }
        p.Line(7, y0 + 2, 15, y0 + 2, row != 1 ? kBlack : kGrey);
      }
      break;
    case MenuPicture::kShowAll:
      DrawEye(p, true);
      break;
    case MenuPicture::kHideAll:
    case MenuPicture::kHideNote:
      DrawEye(p, false);
      break;
    case MenuPicture::kHelp:
      DrawRoundBadge(p, kBlue, L"?", L"Arial");
      break;
    case MenuPicture::kSupport:  // a lifebuoy
      p.Ellipse(0, 0, 15, 15, kWhite, kRed);
      p.Polygon({{2, 2}, {6, 2}, {2, 6}}, kRed, kRed);
      p.Polygon({{9, 2}, {13, 2}, {13, 6}}, kRed, kRed);
      p.Polygon({{2, 9}, {2, 13}, {6, 13}}, kRed, kRed);
      p.Polygon({{13, 9}, {13, 13}, {9, 13}}, kRed, kRed);
      p.Ellipse(4, 4, 11, 11, RGB(0xE8, 0xF0, 0xFF), kGrey);
      break;
    case MenuPicture::kAbout:
      DrawRoundBadge(p, kBlue, L"i", L"Times New Roman");
      break;
    case MenuPicture::kClose:  // a door with a red cross
      p.Box(1, 0, 10, 15, RGB(0xB0, 0x78, 0x40), RGB(0x60, 0x38, 0x10));
      p.Fill(8, 7, 8, 8, RGB(0xF0, 0xD0, 0x40));
      p.Line(8, 7, 14, 13, kRed, 2);
      p.Line(14, 7, 8, 13, kRed, 2);
      break;
    case MenuPicture::kPin:
      DrawPin(p);
      break;
    case MenuPicture::kAlarm:
      DrawClock(p);
      break;
    case MenuPicture::kAppearance:
    case MenuPicture::kCustomColor:
      if (picture == MenuPicture::kAppearance) {
        DrawPalette(p);
      } else {
        p.Box(0, 0, 7, 7, kRed, kBlack);
        p.Box(8, 0, 15, 7, kGreen, kBlack);
        p.Box(0, 8, 7, 15, kBlue, kBlack);
        p.Box(8, 8, 15, 15, RGB(0xF8, 0xE0, 0x30), kBlack);
      }
      break;
    case MenuPicture::kClassic:
      DrawNote(p, 1, 1, 14, 14, true);
      break;
    case MenuPicture::kFont:
      p.Letter(L"A", 0, -1, 15, 12, 14, kDarkBlue, L"Times New Roman");
      p.Fill(1, 13, 14, 14, kRed);
      break;
    case MenuPicture::kPrint:
      DrawPrinter(p);
      break;
    case MenuPicture::kText:
      DrawPage(p, 2, 0, 13, 15);
      break;
    case MenuPicture::kUndo:
      p.Arc(2, 3, 14, 14, 13, 12, 3, 6, kBlue, 2);
      p.Polygon({{0, 3}, {6, 3}, {3, 8}}, kBlue, kBlue);
      break;
    case MenuPicture::kCut:
      DrawScissors(p);
      break;
    case MenuPicture::kCopy:
      DrawPage(p, 0, 0, 9, 11);
      DrawPage(p, 5, 4, 14, 15);
      break;
    case MenuPicture::kPaste:
      p.Box(1, 1, 13, 15, RGB(0xC8, 0x98, 0x58), RGB(0x70, 0x50, 0x20));
      p.Box(4, 0, 10, 3, kLightGrey, kGrey);
      DrawPage(p, 6, 5, 15, 15);
      break;
    case MenuPicture::kSelectAll:
      for (int i = 0; i < 15; i += 2) {  // dotted frame
        p.Pixel(i, 0, kBlack), p.Pixel(i, 15, kBlack), p.Pixel(0, i, kBlack), p.Pixel(15, i, kBlack);
      }
      p.Fill(3, 3, 12, 12, RGB(0x31, 0x6A, 0xC5));
      for (int y = 5; y <= 11; y += 3) p.Line(5, y, 10, y, kWhite);
      break;
    case MenuPicture::kLoadFile:
      DrawFolder(p);
      break;
    case MenuPicture::kSaveFile:
      DrawFloppy(p);
      break;
    case MenuPicture::kInsert:
      DrawPage(p, 0, 0, 11, 14);
      p.Line(4, 4, 4, 11, kBlack);  // the caret where text goes in
      DrawPlus(p, 12, 12, kGreen);
      break;
    case MenuPicture::kDateTime:
      DrawCalendar(p);
      break;
    case MenuPicture::kTitle:
      p.Letter(L"T", 0, 0, 15, 15, 16, kDarkBlue, L"Arial");
      break;
  }
}

void DrawMenuLine(HDC dc, int x1, int y1, int x2, int y2, COLORREF color) {
  Painter(dc, 0, 0, false).Line(x1, y1, x2, y2, color);
}

void DrawMenuBox(HDC dc, int left, int top, int right, int bottom, COLORREF fill, COLORREF edge) {
  Painter(dc, 0, 0, false).Box(left, top, right, bottom, fill, edge);
}

}  // namespace velumbrino
