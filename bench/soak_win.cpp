// The soak's rounds, driven from outside the running program as a user would: menus opened
// the way a right click opens them, items chosen with the keys, each dialog cancelled.
// One round: the tray menu and the note menu opened and closed, the next dialogs of the list
// (every dialog the menus open without side effects) opened and cancelled, one letter typed
// into a note and erased (its autosave follows two seconds later). A note keeps blinking
// through all the rounds. No window is ever destroyed from here.
// The notes typed into keep their length, and the rounds go round a ring of kTypedNotes notes
// whose undo history the warm-up has filled: a note's text and its undo history (a hundred
// edits) take memory that grows with them up to that bound, which is use, not a leak.
// Usage: soak <rounds> <dialogs per round> [first dialog [warm]]  |  soak floor <dialog> <times>
// With "warm" (the warm-up) every note first takes one letter, and each note of the ring
// kUndoFill letters typed and erased.
// Prints "step <name>|<runs>|<milliseconds>" for each step taken, then
// "seconds=S gdi=G user=U last=N" (the program's GUI objects at the end, "n/a" where the
// system does not count them; the number of the note typed into last, whose autosave is
// still to come). BENCH_SOAK_ONLY=<dialog> opens that dialog at every dialog step;
// BENCH_SOAK_TYPING=0 types nothing.
#include <windows.h>
// After windows.h, which they need.
#include <commctrl.h>
#include <commdlg.h>
#include <psapi.h>
#include <richedit.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <string>
#include <vector>

#include "resource.h"

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

// Keys to the open menu: h Home (the first item, whatever the pointer selected), d down, u up,
// r right, e Esc, \n Enter. The menu loop reads every
// key message of the program's thread, whichever of its windows it is posted to.
void MenuKeys(HWND menu, const char* keys) {
  for (const char* key = keys; *key; ++key) {
    if (*key == '\n') {
      PostMessageW(menu, WM_CHAR, L'\r', 1);
      continue;
    }
    const WPARAM vk = *key == 'h'   ? VK_HOME
                      : *key == 'd' ? VK_DOWN
                      : *key == 'u' ? VK_UP
                      : *key == 'r' ? VK_RIGHT
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
    {"delete list", false, "hdr\n"},
    {"show list", false, "hdrd\n"},
    {"about", false, "hdddd\n"},
    {"alarm", true, "hdd\n"},
    {"delete question", true, "hddd\n"},
    {"colour", true, "hddddrd\n"},
    {"font", true, "hddddd\n"},
    {"print", true, "hdddddd\n"},
    {"open file", true, "hdddddddrddddd\n"},
    {"save file", true, "hdddddddrdddddd\n"},
    {"date and time", true, "hddddddddr\n"},
    {"title", true, "hddddddddd\n"},
};
constexpr int kDialogCount = sizeof kDialogs / sizeof kDialogs[0];

// A ring of notes each typed into every few seconds: each round's letter is saved two seconds
// after it, as no other letter reaches that note before then.
constexpr size_t kTypedNotes = 8;
// Letters typed and erased that fill a note's undo history: RichEdit keeps the last hundred
// steps.
constexpr int kUndoFill = 60;

// A letter typed into a note's body, then erased, each its own undo step (RichEdit would
// gather what is typed without a pause into one); sent, so that it is done on return.
void TypeAndErase(HWND body, wchar_t letter, bool post) {
  const auto deliver = [&](UINT message, WPARAM wparam, LPARAM lparam) {
    if (post) {
      PostMessageW(body, message, wparam, lparam);
    } else {
      SendMessageTimeoutW(body, message, wparam, lparam, SMTO_BLOCK, 5000, nullptr);
    }
  };
  deliver(WM_CHAR, letter, 1);
  deliver(EM_STOPGROUPTYPING, 0, 0);
  deliver(WM_KEYDOWN, VK_BACK, 0x000E0001);
  deliver(WM_KEYUP, VK_BACK, 0xC00E0001);
  deliver(EM_STOPGROUPTYPING, 0, 0);
}

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

// Closes the program's open dialog as a user would: "No" for a question, else its close box.
void CloseDialog(HWND window) {
  if (HWND no = GetDlgItem(window, IDNO)) {
    PostMessageW(window, WM_COMMAND, MAKEWPARAM(IDNO, BN_CLICKED), reinterpret_cast<LPARAM>(no));
  } else {
    PostMessageW(window, WM_CLOSE, 0, 0);
  }
}

int g_retries = 0;  // steps taken again: under load Wine's menu loop can lose a posted key

bool RunStep(const Step& step, HWND controller, HWND body, bool dialog) {
  for (int attempt = 0; attempt < 3; ++attempt) {
    HWND menu = OpenMenu(controller, step.note_menu ? body : nullptr);
    if (!menu) {
      std::fprintf(stderr, "soak: %s: no menu\n", step.name);
      return false;
    }
    MenuKeys(menu, step.keys);
    HWND window = nullptr;
    if (dialog && !WaitFor([&] { return (window = Dialog()) != nullptr; }, 10000)) {
      ++g_retries;
      if (HWND left = Menu()) MenuKeys(left, "eee");
      if (!WaitFor([] { return Menu() == nullptr; })) {
        std::fprintf(stderr, "soak: %s: a menu stays open\n", step.name);
        return false;
      }
      window = Dialog();  // one that came late
      if (!window) continue;
    }
    if (window) CloseDialog(window);
    if (!WaitFor(Idle)) {
      std::fprintf(stderr, "soak: %s: still open\n", step.name);
      return false;
    }
    // The note whose menu closed is brought to the front: once it is, no late activation
    // can close the next menu under the keys posted to it.
    if (step.note_menu) {
      WaitFor([&] { return GetForegroundWindow() == GetParent(body); }, 2000);
    }
    return true;
  }
  std::fprintf(stderr, "soak: %s: no dialog\n", step.name);
  return false;
}

// The note bodies by their note's title: GetWindowText would not ask another process.
std::vector<std::pair<std::wstring, HWND>> Bodies() {
  std::vector<std::pair<std::wstring, HWND>> bodies;
  for (HWND note = FindWindowExW(nullptr, nullptr, L"frmNote", nullptr); note;
       note = FindWindowExW(nullptr, note, L"frmNote", nullptr)) {
    wchar_t title[128] = L"";
    SendMessageTimeoutW(note, WM_GETTEXT, 128, reinterpret_cast<LPARAM>(title), SMTO_BLOCK, 5000,
                        nullptr);
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

// The floor: the same dialogs opened and cancelled in this bare process, with none of the
// program's code, as often as the program opened them: the system's own as the program calls
// them, the program's own from its templates with nothing behind them. This process carries
// the program's manifest, so the controls are the same. Prints the growth of this process's
// private memory: what Wine counts as the pagefile's share is the anonymous memory Linux
// holds for it, the measure the soak takes of the program. (Linux's status file read from
// here gives one stale figure.)
long PrivateKiB() {
  PROCESS_MEMORY_COUNTERS counters{};
  if (!GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters)) return -1;
  return static_cast<long>(counters.PagefileUsage / 1024);
}

// Cancels this process's dialog as soon as it shows: "No" for a question, else Cancel.
void CALLBACK Cancel(HWND, UINT, UINT_PTR timer, DWORD) {
  if (HWND box = Dialog()) {
    KillTimer(nullptr, timer);
    const int button = GetDlgItem(box, IDNO) ? IDNO : IDCANCEL;
    PostMessageW(box, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(box, button)));
  }
}

HWND g_owner = nullptr;  // the floor's stand-in for a note

INT_PTR CALLBACK BareDialog(HWND dialog, UINT message, WPARAM wparam, LPARAM) {
  if (message == WM_COMMAND && (LOWORD(wparam) == IDCANCEL || LOWORD(wparam) == IDOK)) {
    EndDialog(dialog, LOWORD(wparam));
  }
  return message == WM_INITDIALOG;
}

struct Template {
  const char* name;
  int id;
};

constexpr Template kTemplates[] = {
    {"delete list", IDD_DELETE_NOTES},
    {"show list", IDD_SHOW_NOTES},
    {"about", IDD_ABOUT},
    {"alarm", IDD_ALARM},
    {"date and time", IDD_INSERT_DATE_TIME},
    {"title", IDD_NOTE_TITLE},
};

// The dialogs of kDialogs by name, each as the program opens it; false for a name not among
// them.
bool OpenDialog(const char* name) {
  SetTimer(nullptr, 0, 10, Cancel);
  for (const Template& bare : kTemplates) {
    if (std::strcmp(name, bare.name) == 0) {
      DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(bare.id), g_owner, BareDialog, 0);
      return true;
    }
  }
  if (std::strcmp(name, "delete question") == 0) {
    MessageBoxW(g_owner, L"Excluir esta nota?", L"Velumbrino", MB_YESNO | MB_ICONQUESTION);
  } else if (std::strcmp(name, "colour") == 0) {
    COLORREF custom[16] = {};
    CHOOSECOLORW choose{};
    choose.lStructSize = sizeof choose;
    choose.lpCustColors = custom;
    choose.hwndOwner = g_owner;
    choose.Flags = CC_RGBINIT | CC_ANYCOLOR | CC_FULLOPEN;  // as the program opens it
    ChooseColorW(&choose);
  } else if (std::strcmp(name, "font") == 0) {
    LOGFONTW font{};
    CHOOSEFONTW choose{};
    choose.lStructSize = sizeof choose;
    choose.hwndOwner = g_owner;
    choose.lpLogFont = &font;
    choose.Flags = CF_SCREENFONTS | CF_EFFECTS;
    ChooseFontW(&choose);
  } else if (std::strcmp(name, "print") == 0) {
    PRINTDLGW print{};
    print.lStructSize = sizeof print;
    print.hwndOwner = g_owner;
    print.Flags = PD_NOSELECTION | PD_NOPAGENUMS;
    PrintDlgW(&print);
    if (print.hDevMode) GlobalFree(print.hDevMode);
    if (print.hDevNames) GlobalFree(print.hDevNames);
  } else if (std::strcmp(name, "open file") == 0 || std::strcmp(name, "save file") == 0) {
    wchar_t file[MAX_PATH] = L"";
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = g_owner;
    dialog.lpstrFilter = L"Texto (*.txt)\0*.txt\0";
    dialog.lpstrFile = file;
    dialog.nMaxFile = MAX_PATH;
    dialog.Flags = OFN_HIDEREADONLY | OFN_PATHMUSTEXIST;
    if (name[0] == 'o')
      GetOpenFileNameW(&dialog);
    else
      GetSaveFileNameW(&dialog);
  } else {
    return false;
  }
  return true;
}

// "floor <name> <times>": prints growth=<KiB>, or growth=none for a name not among the
// dialogs.
int Floor(const char* name, int times) {
  g_pid = GetCurrentProcessId();
  // As the program runs: the same control classes, its dialogs owned by a layered, topmost
  // note-like window.
  const INITCOMMONCONTROLSEX classes{
      sizeof classes, ICC_WIN95_CLASSES | ICC_DATE_CLASSES | ICC_LINK_CLASS | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&classes);
  g_owner = CreateWindowExW(WS_EX_LAYERED | WS_EX_TOPMOST | WS_EX_TOOLWINDOW, L"STATIC", L"",
                            WS_POPUP | WS_VISIBLE, 100, 100, 200, 200, nullptr, nullptr, nullptr,
                            nullptr);
  SetLayeredWindowAttributes(g_owner, 0, 255, LWA_ALPHA);
  for (int i = 0; i < 10; ++i) {
    if (!OpenDialog(name)) {
      std::printf("growth=none\n");
      return 0;
    }
  }
  const long before = PrivateKiB();
  for (int i = 0; i < times; ++i) OpenDialog(name);
  const long after = PrivateKiB();
  if (before < 0 || after < 0) {
    std::printf("growth=n/a\n");
  } else {
    std::printf("growth=%+ld\n", after - before);
  }
  return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc > 3 && std::wcscmp(argv[1], L"floor") == 0) {
    char name[64] = "";
    WideCharToMultiByte(CP_UTF8, 0, argv[2], -1, name, sizeof name, nullptr, nullptr);
    return Floor(name, _wtoi(argv[3]));
  }
  const int rounds = argc > 1 && _wtoi(argv[1]) > 0 ? _wtoi(argv[1]) : 1;
  const int dialogs_per_round = argc > 2 ? _wtoi(argv[2]) : kDialogCount;
  int next_dialog = argc > 3 ? _wtoi(argv[3]) % kDialogCount : 0;
  const bool warm_up = argc > 4 && std::wcscmp(argv[4], L"warm") == 0;
  // Knobs that tell the growth's sources apart: one dialog only, no typing.
  const char* only = std::getenv("BENCH_SOAK_ONLY");
  const char* typing = std::getenv("BENCH_SOAK_TYPING");
  const bool type = !typing || std::strcmp(typing, "0") != 0;
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
  std::vector<double> spent(2 + kDialogCount);
  std::vector<int> runs(2 + kDialogCount);
  const auto timed = [&](int index, const Step& step, bool dialog) {
    const auto began = Clock::now();
    const bool ok = RunStep(step, controller, menu_body, dialog);
    spent[index] += std::chrono::duration<double, std::milli>(Clock::now() - began).count();
    ++runs[index];
    return ok;
  };
  if (typed.size() < kTypedNotes) {
    std::fprintf(stderr, "soak: fewer than %zu notes to type into\n", kTypedNotes);
    return 1;
  }
  if (warm_up && type) {
    for (const auto& [title, body] : typed) PostMessageW(body, WM_CHAR, L'a', 1);
    for (size_t note = 0; note < kTypedNotes; ++note) {
      for (int edit = 0; edit < kUndoFill; ++edit) TypeAndErase(typed[note].second, L'x', false);
    }
  }
  const auto began = Clock::now();
  for (int round = 0; round < rounds; ++round) {
    if (type) TypeAndErase(typed[round % kTypedNotes].second, L'a' + round % 26, true);
    for (int menu = 0; menu < 2; ++menu) {
      if (!timed(menu, kMenus[menu], false)) return 1;
    }
    for (int i = 0; i < dialogs_per_round; ++i, next_dialog = (next_dialog + 1) % kDialogCount) {
      int dialog = next_dialog;
      if (only) {
        for (int named = 0; named < kDialogCount; ++named) {
          if (std::strcmp(kDialogs[named].name, only) == 0) dialog = named;
        }
      }
      if (!timed(2 + dialog, kDialogs[dialog], true)) return 1;
    }
  }
  const double seconds = std::chrono::duration<double>(Clock::now() - began).count();
  for (int i = 0; i < 2 + kDialogCount; ++i) {
    if (runs[i]) {
      std::printf("step %s|%d|%.1f\n", i < 2 ? kMenus[i].name : kDialogs[i - 2].name, runs[i],
                  spent[i]);
    }
  }
  // The title is "Nota N": the note's number follows the space.
  const std::wstring& last = typed[(rounds - 1) % kTypedNotes].first;
  std::printf("seconds=%.1f retries=%d gdi=%s user=%s last=%ls\n", seconds, g_retries,
              GuiObjects(GR_GDIOBJECTS).c_str(), GuiObjects(GR_USEROBJECTS).c_str(),
              last.substr(last.rfind(L' ') + 1).c_str());
  return 0;
}
