// The controller window against the shell's tray notifications (icon version 3), as the
// shell sends them: the keyboard's and the mouse's.
#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <string>

#include "platform/wide_string_win.h"
#include "shell/frm_popup_win.h"
#include "win_test_support.h"

namespace velumbrino {
namespace {

constexpr UINT kKeySelect = WM_USER + 1;  // NIN_KEYSELECT
constexpr UINT kSelect = WM_USER;         // NIN_SELECT

int VisibleNotes() {
  int count = 0;
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND window, LPARAM data) {
        wchar_t name[32] = {};
        GetClassNameW(window, name, 32);
        if (IsWindowVisible(window) && std::wstring(name) == L"frmNote") ++*reinterpret_cast<int*>(data);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&count));
  return count;
}

void PumpUntil(const std::function<bool()>& done) {
  const DWORD start = GetTickCount();
  while (!done() && GetTickCount() - start < 15000) {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
    Sleep(10);
  }
}

bool g_menu_seen = false;

// Sends one notification; true when a menu opened meanwhile (closed again at once).
bool Notify(HWND controller, UINT event) {
  g_menu_seen = false;
  const UINT_PTR timer = SetTimer(nullptr, 0, 50, [](HWND, UINT, UINT_PTR, DWORD) {
    const HWND menu = FindWindowW(L"#32768", nullptr);
    if (!g_menu_seen && menu && IsWindowVisible(menu)) {
      g_menu_seen = true;
      EndMenu();
    }
  });
  SendMessageW(controller, kTrayCallbackMessage, 1, event);
  KillTimer(nullptr, timer);
  return g_menu_seen;
}

TEST(TrayNotifications, OneKeyPressOneNoteOneClickNothingOneRightClickOneMenu) {
  const std::string folder = Narrow(win_test::TempPath(L"tray", L"data")) + "\\";
  auto controller_window = std::make_unique<FrmPopup>(DefaultFont{});
  FrmPopup& controller = *controller_window;
  ASSERT_TRUE(controller.Start(folder));
  PumpUntil([&] { return controller.AppReady(); });
  ASSERT_TRUE(controller.AppReady());
  const HWND window = controller.hwnd();
  const int notes = VisibleNotes();  // the welcome note

  // Enter on the icon: the shell may send NIN_KEYSELECT twice for the one press.
  EXPECT_FALSE(Notify(window, kKeySelect));
  Notify(window, kKeySelect);
  EXPECT_EQ(VisibleNotes(), notes + 1);

  // A single click (with the NIN_SELECT after it) makes nothing; a double click one note.
  for (UINT event : {UINT{WM_LBUTTONDOWN}, UINT{WM_LBUTTONUP}, kSelect}) Notify(window, event);
  EXPECT_EQ(VisibleNotes(), notes + 1);
  for (UINT event : {UINT{WM_LBUTTONDOWN}, UINT{WM_LBUTTONUP}, kSelect, UINT{WM_LBUTTONDBLCLK},
                     UINT{WM_LBUTTONUP}}) {
    Notify(window, event);
  }
  EXPECT_EQ(VisibleNotes(), notes + 2);

  // A right click: the menu opens once, on the WM_CONTEXTMENU that follows the release.
  EXPECT_FALSE(Notify(window, WM_RBUTTONDOWN));
  EXPECT_FALSE(Notify(window, WM_RBUTTONUP));
  EXPECT_TRUE(Notify(window, WM_CONTEXTMENU));
  EXPECT_EQ(VisibleNotes(), notes + 2);
  controller_window.reset();
  std::error_code ignored;
  std::filesystem::remove_all(std::filesystem::path(Widen(folder)), ignored);
}

}  // namespace
}  // namespace velumbrino
