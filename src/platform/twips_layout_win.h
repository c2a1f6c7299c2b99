#pragma once
// Dialogs whose layout is given in twips: the client area and the controls are placed in
// pixels with the window's real resolution (1440 / dpi twips per pixel), not the dialog units
// of the template, which only match at one resolution and one font.

#include <windows.h>

namespace velumbrino {

// The resolution the window is shown at (96 where the system cannot tell per window).
int WindowDpi(HWND window);

struct TwipsRect {
  int left, top, width, height;
};

// `twips` in pixels at the window's resolution.
int TwipsToWindowPixels(HWND window, int twips);

// Resizes the dialog to a client area of `width` x `height` twips, keeping its centre.
void SetClientSizeTwips(HWND dialog, int width, int height);
// Places a control at `box` (twips, relative to the client area).
void PlaceControlTwips(HWND dialog, int control_id, const TwipsRect& box);

}  // namespace velumbrino
