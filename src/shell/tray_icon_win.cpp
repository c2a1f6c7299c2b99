#include "shell/tray_icon_win.h"

#include <algorithm>

namespace velumbrino {

namespace {

constexpr UINT kIconId = 1;

// Copies up to one character less than the field holds and fills the rest with NULs.
template <size_t N>
void CopyTextToField(const std::wstring& text, wchar_t (&field)[N]) {
  const size_t count = std::min(text.size(), N - 1);
  std::fill(std::copy_n(text.begin(), count, field), field + N, L'\0');
}

}  // namespace

TrayIcon::TrayIcon(HWND window, HICON icon, const std::wstring& tip, UINT callback_message)
    : window_(window), icon_(icon), tip_(tip), callback_message_(callback_message) {}

TrayIcon::~TrayIcon() {
  if (shown_) Remove();
}

NOTIFYICONDATAW TrayIcon::BaseRecord(UINT flags) const {
  NOTIFYICONDATAW data{};
  // The version-2 layout (with the balloon fields) is all the program uses.
  data.cbSize = NOTIFYICONDATAW_V2_SIZE;
  data.hWnd = window_;
  data.uID = kIconId;
  data.uFlags = flags;
  return data;
}

bool TrayIcon::Add() {
  NOTIFYICONDATAW data = BaseRecord(NIF_MESSAGE | NIF_ICON | NIF_TIP);
  data.uCallbackMessage = callback_message_;
  data.hIcon = icon_;
  CopyTextToField(tip_, data.szTip);
  data.uVersion = NOTIFYICON_VERSION;
  const bool added = Shell_NotifyIconW(NIM_ADD, &data) != FALSE;
  if (added) {
    shown_ = true;
    Shell_NotifyIconW(NIM_SETVERSION, &data);
  }
  return added;
}

bool TrayIcon::Remove() {
  NOTIFYICONDATAW data = BaseRecord(0);
  const bool removed = Shell_NotifyIconW(NIM_DELETE, &data) != FALSE;
  shown_ = false;
  return removed;
}

bool TrayIcon::ShowBalloon(const std::wstring& title, const std::wstring& text, DWORD icon_kind,
                           UINT timeout_ms) {
  NOTIFYICONDATAW data = BaseRecord(NIF_INFO);
  CopyTextToField(text, data.szInfo);
  CopyTextToField(title, data.szInfoTitle);
  data.uTimeout = timeout_ms;
  data.dwInfoFlags = icon_kind;
  return Shell_NotifyIconW(NIM_MODIFY, &data) != FALSE;
}

UINT TrayIcon::TaskbarCreatedMessage() {
  static const UINT message = RegisterWindowMessageW(L"TaskbarCreated");
  return message;
}

}  // namespace velumbrino
