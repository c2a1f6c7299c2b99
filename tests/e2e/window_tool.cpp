// Test tool: what the end-to-end tests read and do on the Windows side of Wine's desktop.
//   logoff TITLE  the session-end messages, as at log-off; prints the WM_QUERYENDSESSION answer
//   close TITLE   WM_CLOSE, as the close box sends it
//   at X Y        the band and opacity of the top-level window at a point of the screen
//   tray          the place of the taskbar, whose notification area holds the program's icon
//   foreground    the title of the window that takes the keys
#include <windows.h>

#include <cstdio>
#include <string_view>

int wmain(int argc, wchar_t** argv) {
  const std::wstring_view command = argc > 1 ? argv[1] : L"";
  HWND window = argc == 3 ? FindWindowW(nullptr, argv[2]) : nullptr;
  DWORD_PTR answer = 0;
  if (window && command == L"logoff") {
    SendMessageTimeoutW(window, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF, SMTO_BLOCK, 5000,
                        &answer);
    std::printf("query=%d\n", static_cast<int>(answer));
    std::fflush(stdout);
    // The window's process ends while it handles this one; no answer is awaited.
    SendMessageTimeoutW(window, WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF, SMTO_BLOCK, 5000, &answer);
  } else if (window && command == L"close") {
    PostMessageW(window, WM_CLOSE, 0, 0);
  } else if (argc == 4 && command == L"at") {
    window = GetAncestor(WindowFromPoint(POINT{_wtoi(argv[2]), _wtoi(argv[3])}), GA_ROOT);
    BYTE alpha = 255;  // stays so for a window that is not layered
    GetLayeredWindowAttributes(window, nullptr, &alpha, nullptr);
    std::printf("topmost=%d alpha=%d\n", (GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0,
                alpha);
  } else if (command == L"tray") {
    RECT r{};
    GetWindowRect(FindWindowW(L"Shell_TrayWnd", nullptr), &r);
    std::printf("%ld %ld %ld %ld\n", r.left, r.top, r.right - r.left, r.bottom - r.top);
  } else if (command == L"foreground") {
    wchar_t title[256] = L"";
    char utf8[1024] = "";
    GetWindowTextW(GetForegroundWindow(), title, 256);
    WideCharToMultiByte(CP_UTF8, 0, title, -1, utf8, sizeof utf8, nullptr, nullptr);
    std::printf("%s\n", utf8);
  } else {
    std::fprintf(stderr, "usage: window_tool logoff|close TITLE | at X Y | tray | foreground\n");
    return 2;
  }
  return 0;
}
