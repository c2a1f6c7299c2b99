#include "shell/menu_pictures_win.h"

#include "platform/grid_painter_win.h"

namespace velumbrino {

namespace {

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

void DrawNote(const GridPainter& p, int l, int t, int r, int b, bool lines) {
  p.Box(l, t, r, b, kNoteYellow, kNoteEdge);
  p.Fill(l + 1, t + 1, r - 1, t + 2, RGB(0xE5, 0xE5, 0x73));  // the title strip
  if (lines) {
    for (int y = t + 5; y <= b - 2; y += 3) p.Line(l + 2, y, r - 3, y, kInk);
  }
}

void DrawPage(const GridPainter& p, int l, int t, int r, int b) {
  p.Box(l, t, r, b, kWhite, kGrey);
  for (int y = t + 3; y <= b - 2; y += 2) p.Line(l + 2, y, r - 2, y, RGB(0x90, 0xA0, 0xC0));
}

void DrawPlus(const GridPainter& p, int cx, int cy, COLORREF c) {
  p.Fill(cx - 3, cy - 1, cx + 3, cy + 1, kWhite);
  p.Fill(cx - 1, cy - 3, cx + 1, cy + 3, kWhite);
  p.Fill(cx - 2, cy, cx + 2, cy, c);
  p.Fill(cx, cy - 2, cx, cy + 2, c);
}

void DrawTrash(const GridPainter& p) {
  p.Fill(2, 2, 13, 3, kGrey);   // lid
  p.Fill(6, 0, 9, 1, kGrey);    // handle
  p.Polygon({{3, 4}, {12, 4}, {11, 15}, {4, 15}}, RGB(0xB0, 0xC4, 0xDE), RGB(0x40, 0x50, 0x70));
  for (int x : {5, 7, 9}) p.Line(x + (x == 9 ? 1 : 0), 6, x + (x == 9 ? 1 : 0), 13, RGB(0x40, 0x50, 0x70));
}

void DrawEye(const GridPainter& p, bool open) {
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

void DrawRoundBadge(const GridPainter& p, COLORREF fill, const wchar_t* glyph,
                    const wchar_t* face) {
  p.Ellipse(0, 0, 15, 15, fill, RGB(GetRValue(fill) / 2, GetGValue(fill) / 2, GetBValue(fill) / 2));
  p.Letter(glyph, 0, 0, 15, 15, 13, kWhite, face);
}

void DrawClock(const GridPainter& p) {
  p.Ellipse(0, 0, 5, 5, RGB(0xF0, 0xC0, 0x30), kFolderEdge);  // bells
  p.Ellipse(10, 0, 15, 5, RGB(0xF0, 0xC0, 0x30), kFolderEdge);
  p.Line(3, 14, 2, 15, kBlack);
  p.Line(12, 14, 13, 15, kBlack);
  p.Ellipse(1, 2, 14, 15, kWhite, kRed);
  p.Line(7, 8, 7, 4, kBlack);
  p.Line(7, 8, 10, 10, kBlack);
}

void DrawPin(const GridPainter& p) {
  p.Line(6, 9, 1, 14, kGrey, 2);  // the needle
  p.Polygon({{4, 8}, {7, 5}, {10, 11}}, RGB(0xA8, 0x18, 0x18), RGB(0x70, 0x10, 0x10));
  p.Polygon({{6, 6}, {10, 2}, {13, 5}, {9, 9}}, kRed, RGB(0x70, 0x10, 0x10));
  p.Ellipse(9, 0, 15, 6, kRed, RGB(0x70, 0x10, 0x10));
  p.Pixel(11, 2, RGB(0xFF, 0xA0, 0xA0));
}

void DrawPalette(const GridPainter& p) {
  p.Ellipse(0, 1, 15, 14, RGB(0xF0, 0xD8, 0xA8), RGB(0x90, 0x70, 0x40));
  p.Ellipse(9, 8, 12, 11, kWhite, RGB(0x90, 0x70, 0x40));  // thumb hole
  p.Ellipse(3, 3, 5, 5, kRed, kRed);
  p.Ellipse(7, 3, 9, 5, kGreen, kGreen);
  p.Ellipse(11, 4, 13, 6, kBlue, kBlue);
  p.Ellipse(2, 7, 4, 9, RGB(0xF0, 0xD0, 0x10), RGB(0xF0, 0xD0, 0x10));
}

void DrawPrinter(const GridPainter& p) {
  p.Box(4, 0, 11, 6, kWhite, kGrey);  // paper in
  p.Box(0, 5, 15, 12, kLightGrey, RGB(0x50, 0x50, 0x50));
  p.Fill(12, 7, 13, 7, kGreen);
  p.Box(3, 10, 12, 15, kWhite, kGrey);  // paper out
  p.Line(5, 12, 10, 12, kInk);
}

void DrawScissors(const GridPainter& p) {
  p.Line(4, 0, 10, 10, kGrey, 2);
  p.Line(11, 0, 5, 10, kGrey, 2);
  p.Ellipse(1, 9, 6, 14, kWhite, kRed);
  p.Ellipse(9, 9, 14, 14, kWhite, kRed);
}

void DrawFolder(const GridPainter& p) {
  p.Polygon({{0, 3}, {5, 3}, {6, 4}, {12, 4}, {12, 14}, {0, 14}}, kFolder, kFolderEdge);
  p.Polygon({{3, 7}, {15, 7}, {12, 14}, {0, 14}}, RGB(0xFA, 0xDC, 0x78), kFolderEdge);
}

void DrawFloppy(const GridPainter& p) {
  p.Polygon({{0, 0}, {13, 0}, {15, 2}, {15, 15}, {0, 15}}, RGB(0x30, 0x58, 0xB0), kDarkBlue);
  p.Box(3, 0, 12, 6, kWhite, kGrey);  // label
  p.Line(5, 2, 10, 2, kBlue);
  p.Line(5, 4, 10, 4, kBlue);
  p.Box(4, 9, 11, 15, kLightGrey, kGrey);  // shutter
  p.Fill(8, 10, 9, 13, RGB(0x30, 0x58, 0xB0));
}

void DrawCalendar(const GridPainter& p) {
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
  const GridPainter p(dc, cx - MulDiv(4, dpi, 96), cy - MulDiv(4, dpi, 96), dpi);
  for (int i = 0; i < 2; ++i) {
    p.Line(0, 4 + i, 2, 6 + i, color);
    p.Line(2, 6 + i, 7, 1 + i, color);
  }
}

void DrawMenuPicture(HDC dc, int x, int y, MenuPicture picture, bool disabled, int dpi) {
  const GridPainter p(dc, x, y, dpi, disabled);
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
  GridPainter(dc, 0, 0, 96).Line(x1, y1, x2, y2, color);
}

void DrawMenuBox(HDC dc, int left, int top, int right, int bottom, COLORREF fill, COLORREF edge) {
  GridPainter(dc, 0, 0, 96).Box(left, top, right, bottom, fill, edge);
}

}  // namespace velumbrino
