#include "platform/window_base_win.h"

namespace velumbrino {

WindowBase::~WindowBase() {
  if (hwnd_) {
    // Detach first so no message reaches a half-destroyed object.
    SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
    DestroyWindow(hwnd_);
  }
}

bool WindowBase::RegisterClassOnce(const WNDCLASSEXW& prototype) {
  WNDCLASSEXW existing{};
  existing.cbSize = sizeof existing;
  if (GetClassInfoExW(prototype.hInstance, prototype.lpszClassName, &existing)) return true;
  WNDCLASSEXW wc = prototype;
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = &WindowBase::StaticWindowProc;
  return RegisterClassExW(&wc) != 0;
}

HWND WindowBase::Create(DWORD ex_style, const wchar_t* class_name, const wchar_t* title,
                        DWORD style, int x, int y, int width, int height, HWND parent,
                        HMENU menu) {
  return CreateWindowExW(ex_style, class_name, title, style, x, y, width, height, parent, menu,
                         GetModuleHandleW(nullptr), this);
}

LRESULT CALLBACK WindowBase::StaticWindowProc(HWND hwnd, UINT message, WPARAM wparam,
                                              LPARAM lparam) {
  WindowBase* self = nullptr;
  if (message == WM_NCCREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lparam);
    self = static_cast<WindowBase*>(create->lpCreateParams);
    self->hwnd_ = hwnd;
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  } else {
    self = reinterpret_cast<WindowBase*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  }
  if (!self) return DefWindowProcW(hwnd, message, wparam, lparam);

  LRESULT result = 0;
  const bool handled = self->HandleMessage(message, wparam, lparam, result);
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    self->hwnd_ = nullptr;
  }
  return handled ? result : DefWindowProcW(hwnd, message, wparam, lparam);
}

}  // namespace velumbrino
