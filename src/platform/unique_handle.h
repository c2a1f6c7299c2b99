#pragma once
// RAII for Win32 handles: a move-only owner per handle kind, and scoped DC/selection helpers.

#include <windows.h>

#include <utility>

namespace velumbrino {

template <typename Traits>
class unique_handle {
 public:
  using pointer = typename Traits::pointer;

  unique_handle() noexcept = default;
  explicit unique_handle(pointer value) noexcept : value_(value) {}
  unique_handle(const unique_handle&) = delete;
  unique_handle& operator=(const unique_handle&) = delete;
  unique_handle(unique_handle&& other) noexcept : value_(other.release()) {}
  unique_handle& operator=(unique_handle&& other) noexcept {
    if (this != &other) reset(other.release());
    return *this;
  }
  ~unique_handle() { reset(); }

  pointer get() const noexcept { return value_; }
  explicit operator bool() const noexcept { return Traits::valid(value_); }
  pointer release() noexcept { return std::exchange(value_, Traits::invalid()); }
  void reset(pointer value = Traits::invalid()) noexcept {
    if (Traits::valid(value_)) Traits::close(value_);
    value_ = value;
  }

 private:
  pointer value_ = Traits::invalid();
};

template <typename T, typename Closer, Closer close_fn>
struct null_handle_traits {
  using pointer = T;
  static pointer invalid() noexcept { return nullptr; }
  static bool valid(pointer value) noexcept { return value != nullptr; }
  static void close(pointer value) noexcept { close_fn(value); }
};

struct file_handle_traits {
  using pointer = HANDLE;
  static pointer invalid() noexcept { return INVALID_HANDLE_VALUE; }
  static bool valid(pointer value) noexcept { return value != INVALID_HANDLE_VALUE && value; }
  static void close(pointer value) noexcept { CloseHandle(value); }
};

inline void delete_gdi_object(HGDIOBJ object) noexcept { DeleteObject(object); }

using unique_file = unique_handle<file_handle_traits>;
using unique_kernel_handle =
    unique_handle<null_handle_traits<HANDLE, decltype(&CloseHandle), &CloseHandle>>;
using unique_font = unique_handle<null_handle_traits<HFONT, void (*)(HGDIOBJ), &delete_gdi_object>>;
using unique_brush =
    unique_handle<null_handle_traits<HBRUSH, void (*)(HGDIOBJ), &delete_gdi_object>>;
using unique_bitmap =
    unique_handle<null_handle_traits<HBITMAP, void (*)(HGDIOBJ), &delete_gdi_object>>;
using unique_pen = unique_handle<null_handle_traits<HPEN, void (*)(HGDIOBJ), &delete_gdi_object>>;
using unique_region = unique_handle<null_handle_traits<HRGN, void (*)(HGDIOBJ), &delete_gdi_object>>;
using unique_icon = unique_handle<null_handle_traits<HICON, decltype(&DestroyIcon), &DestroyIcon>>;
using unique_menu = unique_handle<null_handle_traits<HMENU, decltype(&DestroyMenu), &DestroyMenu>>;
using unique_hkey = unique_handle<null_handle_traits<HKEY, decltype(&RegCloseKey), &RegCloseKey>>;
using unique_module =
    unique_handle<null_handle_traits<HMODULE, decltype(&FreeLibrary), &FreeLibrary>>;
using unique_global = unique_handle<null_handle_traits<HGLOBAL, decltype(&GlobalFree), &GlobalFree>>;
// A DC made with CreateDCW (a printer's), not one of GetDC.
using unique_dc = unique_handle<null_handle_traits<HDC, decltype(&DeleteDC), &DeleteDC>>;

// GetDC/ReleaseDC pair.
class window_dc {
 public:
  explicit window_dc(HWND window) noexcept : window_(window), dc_(GetDC(window)) {}
  window_dc(const window_dc&) = delete;
  window_dc& operator=(const window_dc&) = delete;
  ~window_dc() {
    if (dc_) ReleaseDC(window_, dc_);
  }
  HDC get() const noexcept { return dc_; }

 private:
  HWND window_;
  HDC dc_;
};

// CreateCompatibleDC/DeleteDC pair.
class memory_dc {
 public:
  explicit memory_dc(HDC reference) noexcept : dc_(CreateCompatibleDC(reference)) {}
  memory_dc(const memory_dc&) = delete;
  memory_dc& operator=(const memory_dc&) = delete;
  ~memory_dc() {
    if (dc_) DeleteDC(dc_);
  }
  HDC get() const noexcept { return dc_; }

 private:
  HDC dc_;
};

// SelectObject that puts the previous object back.
class scoped_select {
 public:
  scoped_select(HDC dc, HGDIOBJ object) noexcept : dc_(dc), previous_(SelectObject(dc, object)) {}
  scoped_select(const scoped_select&) = delete;
  scoped_select& operator=(const scoped_select&) = delete;
  ~scoped_select() {
    if (previous_) SelectObject(dc_, previous_);
  }

 private:
  HDC dc_;
  HGDIOBJ previous_;
};

}  // namespace velumbrino
