// The soak's rounds, driven from outside the running program as a user would: menus opened
// the way a right click opens them, items chosen with the keys, each dialog cancelled.
// One round: the tray menu and the note menu opened and closed, the next dialogs of the list
// (every dialog the menus open without side effects) opened and cancelled, one letter typed
// into a note (its autosave follows two seconds later). A note keeps blinking through all the
// rounds. No window is ever destroyed from here.
// Usage: soak <rounds> <dialogs per round> [times]  |  soak floor <boxes>
// Prints "seconds=S gdi=G user=U last=N" (the program's GUI objects at the end, "n/a" where
// the system does not count them; the number of the note typed into last, whose autosave
// is still to come); with "times", each step's mean milliseconds first.
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

DWORD g_pid = 0;

// A visible top-level window of the program of this class: looked up by class alone, as a
// walk over every window asks the server about each one.
HWND Find(const wchar_t* class_name) {
  for (HWND window = FindWindowExW(nullptr, nullptr, class_name, nullptr); window;
       window = FindWindowExW(nullptr, window, class_name, nullptr)) {
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    if (pid == g_pid && IsWindowVisible(window)) return window;
  }
  return nullptr;
}

template <typename Predicate>
bool WaitFor(Predicate done, int timeout_ms = 20000) {
  const auto deadline = Clock::now() + std::chrono::milliseconds(timeout_ms);
  while (!done()) {
    if (Clock::now() > deadline) return false;
    Sleep(10);
  }
  return true;
}

HWND Menu() { return Find(L"#32768"); }
HWND Dialog() { return Find(L"#32770"); }
bool Idle() { return !Menu() && !Dialog(); }

// Keys to the open menu: d down, u up, r right, e Esc, \n Enter. The menu loop reads every
// key message of the program's thread, whichever of its windows it is posted to.
void MenuKeys(HWND menu, const char* keys) {
  for (const char* key = keys; *key; ++key) {
    if (*key == '\n') {
      PostMessageW(menu, WM_CHAR, L'\r', 1);
      continue;
    }
    const WPARAM vk = *key == 'd' ? VK_DOWN : *key == 'u' ? VK_UP : *key == 'r' ? VK_RIGHT
                                                                                : VK_ESCAPE;
    PostMessageW(menu, WM_KEYDOWN, vk, 1);
    PostMessageW(menu, WM_KEYUP, vk, 0xC0000001);
  }
}

struct Step {
  const char* name;
  bool note_menu;  // else the tray menu
  const char* keys;
};

// Items by position: separators are skipped by the keys; Right opens a submenu on its first.
constexpr Step kMenus[] = {{"tray menu", false, "e"}, {"note menu", true, "e"}};
constexpr Step kDialogs[] = {
    {"delete list", false, "ddr\n"},
    {"show list", false, "ddrd\n"},
    {"about", false, "ddddd\n"},
    {"alarm", true, "ddd\n"},
    {"delete question", true, "dddd\n"},
    {"colour", true, "dddddrd\n"},
    {"font", true, "dddddd\n"},
    {"print", true, "ddddddd\n"},
    {"open file", true, "ddddddddrddddd\n"},
    {"save file", true, "ddddddddrdddddd\n"},
    {"date and time", true, "dddddddddr\n"},
    {"title", true, "dddddddddd\n"},
};
constexpr int kDialogCount = sizeof kDialogs / sizeof kDialogs[0];

// Opens a menu: the tray's as the shell asks for it, a note's as a right press in its body.
// Both are taken only once the program is ready again after the last dialog: asked again.
HWND OpenMenu(HWND controller, HWND body) {
  for (int attempt = 0; attempt < 10; ++attempt) {
    if (body) {
      PostMessageW(body, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(60, 40));
      PostMessageW(body, WM_RBUTTONUP, 0, MAKELPARAM(60, 40));
    } else {
      PostMessageW(controller, WM_APP + 1, 0, WM_CONTEXTMENU);
    }
    HWND menu = nullptr;
    if (WaitFor([&] { return (menu = Menu()) != nullptr; }, 1000)) return menu;
  }
  return nullptr;
}

bool RunStep(const Step& step, HWND controller, HWND body, bool dialog) {
  HWND menu = OpenMenu(controller, step.note_menu ? body : nullptr);
  if (!menu) {
    std::fprintf(stderr, "soak: %s: no menu\n", step.name);
    return false;
  }
  MenuKeys(menu, step.keys);
  if (dialog) {
    HWND window = nullptr;
    if (!WaitFor([&] { return (window = Dialog()) != nullptr; })) {
      std::fprintf(stderr, "soak: %s: no dialog\n", step.name);
      return false;
    }
    // A question is answered "No"; anything else is closed as its close box does.
    if (HWND no = GetDlgItem(window, IDNO)) {
      PostMessageW(window, WM_COMMAND, MAKEWPARAM(IDNO, BN_CLICKED), reinterpret_cast<LPARAM>(no));
    } else {
      PostMessageW(window, WM_CLOSE, 0, 0);
    }
  }
  if (!WaitFor(Idle)) {
    std::fprintf(stderr, "soak: %s: still open\n", step.name);
    return false;
  }
  return true;
}

// The note bodies by their note's title: GetWindowText would not ask another process.
std::vector<std::pair<std::wstring, HWND>> Bodies() {
  std::vector<std::pair<std::wstring, HWND>> bodies;
  for (HWND note = FindWindowExW(nullptr, nullptr, L"frmNote", nullptr); note;
       note = FindWindowExW(nullptr, note, L"frmNote", nullptr)) {
    wchar_t title[128] = L"";
    SendMessageTimeoutW(note, WM_GETTEXT, 128, reinterpret_cast<LPARAM>(title), SMTO_BLOCK,
                        5000, nullptr);
    if (HWND body = FindWindowExW(note, nullptr, L"RICHEDIT50W", nullptr)) {
      bodies.emplace_back(title, body);
    }
  }
  return bodies;
}

std::string GuiObjects(DWORD kind) {
  HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION, FALSE, g_pid);
  const DWORD count = process ? GetGuiResources(process, kind) : 0;
  if (process) CloseHandle(process);
  return count ? std::to_string(count) : "n/a";
}

// The floor: Wine's own message box opened and answered in this bare process, with none of
// the program's code, as often as the program opens its dialogs. Prints the growth of this
// process's private memory, read from Linux (none on Windows: "n/a").
long PrivateKiB() {
  FILE* status = _wfopen(L"Z:\\proc\\self\\status", L"r");
  if (!status) return -1;
  char line[256];
  long kib = -1;
  while (std::fgets(line, sizeof line, status)) {
    if (std::strncmp(line, "RssAnon:", 8) == 0) kib = std::atol(line + 8);
  }
  std::fclose(status);
  return kib;
}

void CALLBACK AnswerNo(HWND, UINT, UINT_PTR timer, DWORD) {
  if (HWND box = FindWindowW(L"#32770", L"soak floor")) {
    KillTimer(nullptr, timer);
    PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDNO, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(box, IDNO)));
  }
}

void FloorBox() {
  SetTimer(nullptr, 0, 10, AnswerNo);
  MessageBoxW(nullptr, L"Excluir esta nota?", L"soak floor", MB_YESNO | MB_ICONQUESTION);
}

int Floor(int boxes) {
  for (int i = 0; i < 20; ++i) FloorBox();
  const long before = PrivateKiB();
  for (int i = 0; i < boxes; ++i) FloorBox();
  const long after = PrivateKiB();
  if (before < 0 || after < 0) {
    std::printf("growth=n/a\n");
  } else {
    std::printf("growth=%+ld before=%ld after=%ld\n", after - before, before, after);
  }
  return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc > 2 && std::wcscmp(argv[1], L"floor") == 0) return Floor(_wtoi(argv[2]));
  const int rounds = argc > 1 && _wtoi(argv[1]) > 0 ? _wtoi(argv[1]) : 1;
  const int dialogs_per_round = argc > 2 ? _wtoi(argv[2]) : kDialogCount;
  const bool times = argc > 3 && std::wcscmp(argv[3], L"times") == 0;
  HWND controller = FindWindowW(L"VelumbrinoFrmPopup", L" Velumbrino ");
  if (!controller) {
    std::fprintf(stderr, "soak: the program is not running\n");
    return 1;
  }
  GetWindowThreadProcessId(controller, &g_pid);
  // Note 1 blinks: presses and typing go to the others, which would end its blinking.
  std::vector<std::pair<std::wstring, HWND>> typed;
  HWND menu_body = nullptr;
  for (const auto& [title, body] : Bodies()) {
    if (title == L"Nota 2") menu_body = body;
    if (title != L"Nota 1") typed.emplace_back(title, body);
  }
  if (!menu_body) {
    std::fprintf(stderr, "soak: no note titled \"Nota 2\"\n");
    return 1;
  }
  int next_dialog = 0;
  std::vector<double> spent(2 + kDialogCount);
  std::vector<int> runs(2 + kDialogCount);
  const auto timed = [&](int index, const Step& step, bool dialog) {
    const auto began = Clock::now();
    const bool ok = RunStep(step, controller, menu_body, dialog);
    spent[index] += std::chrono::duration<double, std::milli>(Clock::now() - began).count();
    ++runs[index];
    return ok;
  };
  const auto began = Clock::now();
  for (int round = 0; round < rounds; ++round) {
    PostMessageW(typed[round % typed.size()].second, WM_CHAR, L'a' + round % 26, 1);
    for (int menu = 0; menu < 2; ++menu) {
      if (!timed(menu, kMenus[menu], false)) return 1;
    }
    for (int i = 0; i < dialogs_per_round; ++i, next_dialog = (next_dialog + 1) % kDialogCount) {
      if (!timed(2 + next_dialog, kDialogs[next_dialog], true)) return 1;
    }
  }
  const double seconds = std::chrono::duration<double>(Clock::now() - began).count();
  if (times) {
    for (int i = 0; i < 2 + kDialogCount; ++i) {
      if (runs[i]) {
        std::printf("%s %.0f ms; ", i < 2 ? kMenus[i].name : kDialogs[i - 2].name,
                    spent[i] / runs[i]);
      }
    }
    std::printf("\n");
  }
  // The title is "Nota N": the note's number follows the space.
  const std::wstring& last = typed[(rounds - 1) % typed.size()].first;
  std::printf("seconds=%.1f gdi=%s user=%s last=%ls\n", seconds,
              GuiObjects(GR_GDIOBJECTS).c_str(), GuiObjects(GR_USEROBJECTS).c_str(),
              last.substr(last.rfind(L' ') + 1).c_str());
  return 0;
}
