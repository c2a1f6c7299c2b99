#pragma once
// The 16 x 16 pictures beside the menu items, drawn by the program with small GDI calls.

#include <windows.h>

#include "shell/command_table.h"

namespace velumbrino {

// A disabled picture turns into light greys.
void DrawMenuPicture(HDC dc, int x, int y, MenuPicture picture, bool disabled);
// The check mark of an item without a picture, centred on (cx, cy).
void DrawMenuCheckMark(HDC dc, int cx, int cy, COLORREF color);
// A line drawn with the same pen rules as the pictures (separators).
void DrawMenuLine(HDC dc, int x1, int y1, int x2, int y2, COLORREF color);
// A filled rectangle with a one-pixel edge (selection and check frames).
void DrawMenuBox(HDC dc, int left, int top, int right, int bottom, COLORREF fill, COLORREF edge);

}  // namespace velumbrino
