// Test tool: sends the session-end messages to the window with the given title, as Windows
// does when the user logs off. Prints what the window answered to WM_QUERYENDSESSION.
#include <windows.h>

#include <cstdio>

int wmain(int argc, wchar_t** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: send_window_message TITLE\n");
    return 2;
  }
  HWND window = FindWindowW(nullptr, argv[1]);
  if (!window) return 3;
  DWORD_PTR answer = 0;
  SendMessageTimeoutW(window, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF, SMTO_BLOCK, 5000, &answer);
  std::printf("query=%d\n", static_cast<int>(answer));
  std::fflush(stdout);
  // The window's process ends while it handles this one; no answer is awaited.
  SendMessageTimeoutW(window, WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF, SMTO_BLOCK, 5000, &answer);
  return 0;
}
