#pragma once
// The pictures beside the menu items, 16 x 16 at 96 dpi, drawn by the program with small GDI
// calls at the resolution they are shown at.

#include <windows.h>

#include "shell/command_table.h"

namespace velumbrino {

// A disabled picture turns into light greys. (x, y) is the top left corner, in pixels.
void DrawMenuPicture(HDC dc, int x, int y, MenuPicture picture, bool disabled, int dpi);
// The check mark of an item without a picture, centred on (cx, cy).
void DrawMenuCheckMark(HDC dc, int cx, int cy, COLORREF color, int dpi);
// A line in pixels, drawn with the same pen rules as the pictures (separators).
void DrawMenuLine(HDC dc, int x1, int y1, int x2, int y2, COLORREF color);
// A filled rectangle in pixels with a one-pixel edge (selection and check frames).
void DrawMenuBox(HDC dc, int left, int top, int right, int bottom, COLORREF fill, COLORREF edge);

}  // namespace velumbrino
