// The controller window against the tray notifications (icon version 3) as the shell sends
// them for the keyboard and the mouse.
#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <memory>
#include <string>

#include "platform/wide_string_win.h"
#include "shell/frm_popup_win.h"
#include "win_test_support.h"

namespace velumbrino {
namespace {

constexpr UINT kSelect = WM_USER;         // NIN_SELECT
constexpr UINT kKeySelect = WM_USER + 1;  // NIN_KEYSELECT
bool g_menu_seen = false;

int VisibleNotes() {
  int count = 0;
  EnumThreadWindows(GetCurrentThreadId(), [](HWND window, LPARAM data) {
    wchar_t name[16] = {};
    GetClassNameW(window, name, 16);
    *reinterpret_cast<int*>(data) += IsWindowVisible(window) && std::wstring(name) == L"frmNote";
    return TRUE;
  }, reinterpret_cast<LPARAM>(&count));
  return count;
}

// Sends each event in turn; true when a menu opened meanwhile (it is closed at once).
bool Notify(HWND controller, std::initializer_list<UINT> events) {
  g_menu_seen = false;
  const UINT_PTR timer = SetTimer(nullptr, 0, 50, [](HWND, UINT, UINT_PTR, DWORD) {
    const HWND menu = FindWindowW(L"#32768", nullptr);
    if (menu && IsWindowVisible(menu)) g_menu_seen = true, EndMenu();
  });
  for (UINT event : events) SendMessageW(controller, kTrayCallbackMessage, 1, event);
  KillTimer(nullptr, timer);
  return g_menu_seen;
}

// Double clicks are driven end to end, through Wine's tray.
TEST(TrayNotifications, OneKeyPressOneNoteOneClickNothingOneRightClickOneMenu) {
  const std::wstring folder = win_test::TempPath(L"tray", L"data") + L"\\";
  auto controller = std::make_unique<FrmPopup>(DefaultFont{});
  ASSERT_TRUE(controller->Start(Narrow(folder)));
  for (int i = 0; i < 1500 && !controller->AppReady(); ++i) {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
    Sleep(10);
  }
  ASSERT_TRUE(controller->AppReady());
  const HWND window = controller->hwnd();
  const int notes = VisibleNotes();  // the welcome note

  // Enter on the icon: the shell may send NIN_KEYSELECT twice for the one press. A single
  // click (NIN_SELECT after it) makes nothing.
  EXPECT_FALSE(Notify(window, {kKeySelect, kKeySelect, WM_LBUTTONDOWN, WM_LBUTTONUP, kSelect}));
  EXPECT_EQ(VisibleNotes(), notes + 1);
  // A right click: the menu opens on the WM_CONTEXTMENU after the release, not before.
  EXPECT_FALSE(Notify(window, {WM_RBUTTONDOWN, WM_RBUTTONUP}));
  EXPECT_TRUE(Notify(window, {WM_CONTEXTMENU}));

  controller.reset();
  std::error_code ignored;
  std::filesystem::remove_all(folder, ignored);
}

}  // namespace
}  // namespace velumbrino
