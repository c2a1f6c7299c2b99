// The shell's Win32 parts against the real API: custom colours in the registry, the
// owner-drawn popup menus, and every kind of modal window clearing AppReady while
// it is up. (The tray icon and its balloons are covered end to end.)
#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/common_dialogs_win.h"
#include "platform/message_box_win.h"
#include "shell/about_win.h"
#include "shell/command_table.h"
#include "shell/popup_menu_win.h"

namespace velumbrino {
namespace {

// ---- Custom colours ------------------------------------------------------------------------

constexpr wchar_t kTestColorsKey[] = L"Software\\Ovrask\\VelumbrinoTests\\cDialog";

TEST(CustomColors, FirstUseIsAllWhiteAndSavedAsSixteenDecimalsThatReadBack) {
  RegDeleteKeyW(HKEY_CURRENT_USER, kTestColorsKey);
  const CustomColors first = LoadCustomColors(kTestColorsKey);
  for (auto color : first) EXPECT_EQ(color, 0x00FFFFFFu);

  ASSERT_TRUE(SaveCustomColors(first, kTestColorsKey));
  // Stored as a string value (RRF_RT_REG_SZ refuses any other type).
  wchar_t stored[512] = {};
  DWORD size = sizeof(stored);
  EXPECT_EQ(RegGetValueW(HKEY_CURRENT_USER, kTestColorsKey, L"RegColors", RRF_RT_REG_SZ, nullptr,
                         stored, &size),
            ERROR_SUCCESS);
  std::wstring expected = L"16777215";
  for (int i = 1; i < 16; ++i) expected += L",16777215";
  EXPECT_EQ(std::wstring(stored), expected);

  CustomColors colors;
  for (size_t i = 0; i < colors.size(); ++i) colors[i] = static_cast<COLORREF>(i * 0x010203);
  ASSERT_TRUE(SaveCustomColors(colors, kTestColorsKey));
  EXPECT_EQ(LoadCustomColors(kTestColorsKey), colors);
  RegDeleteKeyW(HKEY_CURRENT_USER, kTestColorsKey);
}

// ---- Popup menus ---------------------------------------------------------------------------

// The prepared states reach the real menu, down to its submenus (the rules are unit-tested).
TEST(PopupMenu, PreparedStatesReachTheRealMenu) {
  PopupMenu note(NoteMenuItems());
  MenuContext context;
  context.pinned = true;
  context.opacity_level = 3;
  context.selection_length = 0;
  note.Prepare(context);
  EXPECT_TRUE(note.IsChecked(CommandId::kPin));
  EXPECT_TRUE(note.IsChecked(OpacityCommand(3)));
  EXPECT_FALSE(note.IsChecked(OpacityCommand(10)));
  EXPECT_FALSE(note.IsEnabled(CommandId::kCut));

  context.selection_length = 4;
  context.pinned = false;
  note.Prepare(context);
  EXPECT_TRUE(note.IsEnabled(CommandId::kCut));
  EXPECT_FALSE(note.IsChecked(CommandId::kPin));

  PopupMenu tray(TrayMenuItems());
  tray.Prepare(MenuContext{});
  EXPECT_FALSE(tray.IsEnabled(CommandId::kShowAll));
  EXPECT_TRUE(tray.IsEnabled(CommandId::kNewNote));
}

TEST(PopupMenu, OwnerDrawMessagesAreOnlyTakenForOurItems) {
  PopupMenu tray(TrayMenuItems());
  MENUITEMINFOW info{};
  info.cbSize = sizeof(info);
  info.fMask = MIIM_DATA;
  ASSERT_TRUE(GetMenuItemInfoW(tray.handle(), 0, TRUE, &info));

  MEASUREITEMSTRUCT measure{};
  measure.CtlType = ODT_MENU;
  measure.itemData = info.dwItemData;
  LRESULT result = 0;
  ASSERT_TRUE(PopupMenu::HandleOwnerDrawMessage(WM_MEASUREITEM, 0,
                                                reinterpret_cast<LPARAM>(&measure), result));
  EXPECT_GE(measure.itemHeight, 20u);
  EXPECT_GT(measure.itemWidth, 60u);

  MEASUREITEMSTRUCT foreign{};
  foreign.CtlType = ODT_MENU;
  foreign.itemData = 12345;
  EXPECT_FALSE(PopupMenu::HandleOwnerDrawMessage(WM_MEASUREITEM, 0,
                                                 reinterpret_cast<LPARAM>(&foreign), result));
  foreign.CtlType = ODT_BUTTON;
  foreign.itemData = info.dwItemData;
  EXPECT_FALSE(PopupMenu::HandleOwnerDrawMessage(WM_MEASUREITEM, 0,
                                                 reinterpret_cast<LPARAM>(&foreign), result));
}

// ---- Modal windows ------------------------------------------------------------------------

struct ModalCheck {
  bool seen = false;
  bool app_ready_while_open = true;
  bool topmost = false;
};
ModalCheck* g_modal_check = nullptr;
AppReadyFlag* g_app_ready = nullptr;

BOOL CALLBACK CloseDialogsOfThread(HWND window, LPARAM) {
  wchar_t class_name[16] = {};
  GetClassNameW(window, class_name, 16);
  if (std::wstring(class_name) == L"#32770" && IsWindowVisible(window)) {
    g_modal_check->seen = true;
    g_modal_check->app_ready_while_open = g_app_ready->IsReady();
    g_modal_check->topmost |= (GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
    PostMessageW(window, WM_COMMAND, IDCANCEL, 0);
  }
  return TRUE;
}

// Runs `show` (which opens a modal window on this thread) and, from inside its modal loop,
// records AppReady and the window's band, then cancels it.
ModalCheck CheckModal(AppReadyFlag& app_ready, const std::function<void()>& show) {
  ModalCheck check;
  g_modal_check = &check;
  g_app_ready = &app_ready;
  const UINT_PTR timer = SetTimer(nullptr, 0, 300, [](HWND, UINT, UINT_PTR, DWORD) {
    EnumThreadWindows(GetCurrentThreadId(), CloseDialogsOfThread, 0);
  });
  show();
  KillTimer(nullptr, timer);
  return check;
}

TEST(ModalWindows, EveryKindClearsAppReadyWhileOpenAndRestoresIt) {
  AppReadyFlag app_ready;
  app_ready.MarkStarted();
  int ready_again = 0;
  app_ready.SetOnReady([&] { ++ready_again; });

  const ModalCheck about = CheckModal(app_ready, [&] { ShowAboutBox(nullptr, app_ready); });
  EXPECT_TRUE(about.seen);
  EXPECT_FALSE(about.app_ready_while_open);
  EXPECT_TRUE(about.topmost);  // above pinned notes

  const ModalCheck box = CheckModal(app_ready, [&] {
    EXPECT_NE(ShowMessageBox(app_ready, nullptr, "Deseja?", "Velumbrino", MB_YESNO), IDYES);
  });
  EXPECT_TRUE(box.seen);
  EXPECT_FALSE(box.app_ready_while_open);

  CommonDialogsWin dialogs(app_ready);
  const ModalCheck color = CheckModal(app_ready, [&] {
    EXPECT_EQ(dialogs.ShowColorDialog(nullptr, 0x123456, true), std::nullopt);
  });
  EXPECT_TRUE(color.seen);
  EXPECT_FALSE(color.app_ready_while_open);

  EXPECT_TRUE(app_ready.IsReady());
  EXPECT_EQ(ready_again, 3);
}

}  // namespace
}  // namespace velumbrino
