#include "platform/twips_layout_win.h"

#include "platform/twips.h"
#include "platform/unique_handle.h"

namespace velumbrino {

int WindowDpi(HWND window) {
  // GetDpiForWindow exists from Windows 10 1607 on; older systems have one resolution.
  using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
  static const auto get_dpi_for_window = reinterpret_cast<GetDpiForWindowFn>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
  if (get_dpi_for_window && window) {
    const UINT dpi = get_dpi_for_window(window);
    if (dpi > 0) return static_cast<int>(dpi);
  }
  window_dc screen(nullptr);
  return SafeDpi(screen.get() ? GetDeviceCaps(screen.get(), LOGPIXELSX) : 0);
}

int TwipsToWindowPixels(HWND window, int twips) {
  return TwipsToPixels(twips, WindowDpi(window));
}

void SetClientSizeTwips(HWND dialog, int width, int height) {
  const int dpi = WindowDpi(dialog);
  RECT frame{0, 0, TwipsToPixels(width, dpi), TwipsToPixels(height, dpi)};
  AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongPtrW(dialog, GWL_STYLE)), FALSE,
                     static_cast<DWORD>(GetWindowLongPtrW(dialog, GWL_EXSTYLE)));
  RECT now{};
  GetWindowRect(dialog, &now);
  const int new_width = frame.right - frame.left;
  const int new_height = frame.bottom - frame.top;
  const int centre_x = (now.left + now.right) / 2;
  const int centre_y = (now.top + now.bottom) / 2;
  SetWindowPos(dialog, nullptr, centre_x - new_width / 2, centre_y - new_height / 2, new_width,
               new_height, SWP_NOZORDER | SWP_NOACTIVATE);
}

void PlaceControlTwips(HWND dialog, int control_id, const TwipsRect& box) {
  const int dpi = WindowDpi(dialog);
  MoveWindow(GetDlgItem(dialog, control_id), TwipsToPixels(box.left, dpi),
             TwipsToPixels(box.top, dpi), TwipsToPixels(box.width, dpi),
             TwipsToPixels(box.height, dpi), FALSE);
}

}  // namespace velumbrino
