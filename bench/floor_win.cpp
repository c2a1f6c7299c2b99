// The floor of note restore under Wine: N bare windows shaped like our notes and nothing else.
// Each is a top-level popup tool window with a rounded region, layered only when translucent,
// holding a RichEdit child that loads the note's RTF body file. One window per tick of a 50 ms
// timer, shown as it is made, as the program's restore does, so both pay the same pauses.
// Usage: floor <data folder\> <n> [alpha]   (alpha below 255 makes every window layered)
#include <windows.h>
#include <richedit.h>

#include <algorithm>
#include <cstdlib>
#include <string>

#include "note/note_layout.h"
#include "platform/system_library_win.h"

using namespace velumbrino;

namespace {

constexpr UINT_PTR kTimer = 1;
constexpr UINT kPause = 50;
constexpr wchar_t kClass[] = L"FloorNote";

std::wstring g_folder;
int g_count = 0;
int g_made = 0;
BYTE g_alpha = 255;
NoteLayout g_layout;

DWORD CALLBACK ReadFromFile(DWORD_PTR cookie, LPBYTE buffer, LONG wanted, LONG* got) {
  DWORD read = 0;
  ReadFile(reinterpret_cast<HANDLE>(cookie), buffer, static_cast<DWORD>(wanted), &read, nullptr);
  *got = static_cast<LONG>(read);
  return 0;
}

void MakeNote(int number) {
  // The seed's stored place (twips), brought on screen as the program does with far places.
  const int top = (600 + number % 25 * 300) / 15;
  const int left = (600 + number / 25 * 1200) / 15;
  const ScreenRect work{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  const auto fixed = OffScreenCorrection(
      {left, top, left + g_layout.width, top + g_layout.height}, {work}, work);
  HWND note = CreateWindowExW(WS_EX_TOOLWINDOW, kClass, L"", WS_POPUP | WS_CLIPCHILDREN,
                              fixed ? fixed->x : left, fixed ? fixed->y : top, g_layout.width,
                              g_layout.height, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  if (!note) return;
  SetWindowRgn(note, CreateRoundRectRgn(0, 0, g_layout.width, g_layout.height,
                                        g_layout.corner_ellipse, g_layout.corner_ellipse),
               TRUE);
  if (g_alpha < 255) {
    SetWindowLongPtrW(note, GWL_EXSTYLE, GetWindowLongPtrW(note, GWL_EXSTYLE) | WS_EX_LAYERED);
    SetLayeredWindowAttributes(note, 0, g_alpha, LWA_ALPHA);
  }
  const LayoutRect& b = g_layout.body;
  HWND body = CreateWindowExW(0, MSFTEDIT_CLASS, L"",
                              WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_MULTILINE | ES_WANTRETURN |
                                  ES_AUTOVSCROLL,
                              b.left, b.top, b.width, b.height, note, nullptr,
                              GetModuleHandleW(nullptr), nullptr);
  const std::wstring path = g_folder + L"stickie" + std::to_wstring(number) + L".vmb";
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            0, nullptr);
  if (body && file != INVALID_HANDLE_VALUE) {
    EDITSTREAM stream{reinterpret_cast<DWORD_PTR>(file), 0, ReadFromFile};
    SendMessageW(body, EM_STREAMIN, SF_RTF, reinterpret_cast<LPARAM>(&stream));
  }
  if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
  ShowWindow(note, SW_SHOW);
}

LRESULT CALLBACK NoteProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_ERASEBKGND) {
    RECT all;
    GetClientRect(window, &all);
    FillRect(reinterpret_cast<HDC>(wparam), &all, GetSysColorBrush(COLOR_INFOBK));
    return 1;
  }
  return DefWindowProcW(window, message, wparam, lparam);
}

LRESULT CALLBACK ControllerProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_TIMER && wparam == kTimer) {
    if (g_made < g_count) MakeNote(++g_made);
    if (g_made == g_count) KillTimer(window, kTimer);
    return 0;
  }
  return DefWindowProcW(window, message, wparam, lparam);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 3) return 1;
  g_folder = argv[1];
  g_count = _wtoi(argv[2]);
  if (argc > 3) g_alpha = static_cast<BYTE>(std::clamp(_wtoi(argv[3]), 0, 255));
  LoadSystemLibrary(L"Msftedit.dll");
  g_layout = NoteLayoutForDpi(96);
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = kClass;
  wc.lpfnWndProc = NoteProc;
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  RegisterClassExW(&wc);
  wc.lpszClassName = L"FloorController";
  wc.lpfnWndProc = ControllerProc;
  RegisterClassExW(&wc);
  HWND controller = CreateWindowExW(WS_EX_TOOLWINDOW, wc.lpszClassName, L"", WS_POPUP, 0, 0, 0,
                                    0, nullptr, nullptr, wc.hInstance, nullptr);
  SetTimer(controller, kTimer, kPause, nullptr);
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return 0;
}
