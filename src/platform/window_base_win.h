#pragma once
// Base of every window class of the program: the static procedure finds the object through
// GWLP_USERDATA (stored from lpCreateParams on WM_NCCREATE, cleared on WM_NCDESTROY) and
// forwards to HandleMessage; what that leaves unhandled goes to DefWindowProcW.

#include <windows.h>

namespace velumbrino {

class WindowBase {
 public:
  WindowBase() = default;
  WindowBase(const WindowBase&) = delete;
  WindowBase& operator=(const WindowBase&) = delete;
  virtual ~WindowBase();

  HWND hwnd() const { return hwnd_; }

 protected:
  // Registers the class once per process (later calls are no-ops) with this procedure.
  static bool RegisterClassOnce(const WNDCLASSEXW& prototype);
  // CreateWindowExW passing `this` as the creation parameter.
  HWND Create(DWORD ex_style, const wchar_t* class_name, const wchar_t* title, DWORD style,
              int x, int y, int width, int height, HWND parent, HMENU menu);
  // Return true and set `result` when the message was handled.
  virtual bool HandleMessage(UINT message, WPARAM wparam, LPARAM lparam, LRESULT& result) = 0;

  static LRESULT CALLBACK StaticWindowProc(HWND hwnd, UINT message, WPARAM wparam,
                                           LPARAM lparam);

 private:
  HWND hwnd_ = nullptr;
};

}  // namespace velumbrino
