// The shell's Win32 parts against the real API: help file check, custom colours in the
// registry, the owner-drawn popup menus, the tray icon and the about box.
#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "note/color_dialog_win.h"
#include "shell/about_win.h"
#include "shell/help_win.h"
#include "shell/menu_model.h"
#include "shell/popup_menu_win.h"
#include "shell/tray_icon_win.h"

namespace velumbrino {
namespace {

std::wstring TempFolder(const wchar_t* name) {
  wchar_t base[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, base);
  std::wstring folder = std::wstring(base) + name + L"\\";
  CreateDirectoryW(folder.c_str(), nullptr);
  return folder;
}

// ---- Help ----------------------------------------------------------------------------------

struct HelpCalls {
  std::vector<std::wstring> texts, titles, opened;
  std::vector<UINT> styles;
  HelpHooks Hooks() {
    HelpHooks hooks;
    hooks.message_box = [this](HWND, const wchar_t* text, const wchar_t* title, UINT style) {
      texts.push_back(text);
      titles.push_back(title);
      styles.push_back(style);
      return IDOK;
    };
    hooks.open_topic = [this](const std::wstring& target) { opened.push_back(target); };
    return hooks;
  }
};

TEST(ShowHelpTopic, MissingFileShowsTheMessageAndOpensNothing) {
  const std::wstring folder = TempFolder(L"velumbrino_help_missing");
  DeleteFileW((folder + L"Ajuda.chm").c_str());
  HelpCalls calls;
  EXPECT_EQ(ShowHelpTopic(nullptr, folder, L"velumbrino.htm", calls.Hooks()),
            HelpResult::kFileMissing);
  ASSERT_EQ(calls.texts.size(), 1u);
  EXPECT_EQ(calls.texts[0],
            L"Aquivo de ajuda Ajuda.chm n\u00e3o encontrado.Verifique se o arquivo est\u00e1 "
            L"mesmo no disco.\r\nSe ele n\u00e3o existir, voc\u00ea precisara reinstal\u00e1-lo.");
  EXPECT_EQ(calls.titles[0], L"Ajuda do Windows");
  EXPECT_EQ(calls.styles[0], 64u);
  EXPECT_TRUE(calls.opened.empty());
}

TEST(ShowHelpTopic, PresentFileOpensTheTopicWithoutAMessage) {
  const std::wstring folder = TempFolder(L"velumbrino_help_present");
  HANDLE file = CreateFileW((folder + L"Ajuda.chm").c_str(), GENERIC_WRITE, 0, nullptr,
                            CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  CloseHandle(file);
  HelpCalls calls;
  // The folder without its trailing backslash still finds the file.
  EXPECT_EQ(ShowHelpTopic(nullptr, folder.substr(0, folder.size() - 1), L"suporte.htm",
                          calls.Hooks()),
            HelpResult::kShown);
  EXPECT_TRUE(calls.texts.empty());
  ASSERT_EQ(calls.opened.size(), 1u);
  EXPECT_EQ(calls.opened[0], folder + L"Ajuda.chm::/suporte.htm");
  DeleteFileW((folder + L"Ajuda.chm").c_str());
}

TEST(ShowHelpTopic, AFolderNamedLikeTheFileIsNotTheFile) {
  const std::wstring folder = TempFolder(L"velumbrino_help_folder");
  CreateDirectoryW((folder + L"Ajuda.chm").c_str(), nullptr);
  HelpCalls calls;
  EXPECT_EQ(ShowHelpTopic(nullptr, folder, L"alarme.htm", calls.Hooks()),
            HelpResult::kFileMissing);
  RemoveDirectoryW((folder + L"Ajuda.chm").c_str());
}

// ---- Custom colours ------------------------------------------------------------------------

constexpr wchar_t kTestColorsKey[] = L"Software\\Ovrask\\VelumbrinoTests\\cDialog";

TEST(CustomColors, FirstUseIsAllWhiteAndSavedAsSixteenDecimals) {
  RegDeleteKeyW(HKEY_CURRENT_USER, kTestColorsKey);
  const CustomColors first = LoadCustomColors(kTestColorsKey);
  for (COLORREF color : first) EXPECT_EQ(color, 0x00FFFFFFu);

  ASSERT_TRUE(SaveCustomColors(first, kTestColorsKey));
  HKEY key = nullptr;
  ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, kTestColorsKey, 0, KEY_QUERY_VALUE, &key),
            ERROR_SUCCESS);
  wchar_t stored[512] = {};
  DWORD size = sizeof(stored);
  DWORD type = 0;
  EXPECT_EQ(RegQueryValueExW(key, L"RegColors", nullptr, &type,
                             reinterpret_cast<BYTE*>(stored), &size),
            ERROR_SUCCESS);
  RegCloseKey(key);
  EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
  std::wstring expected = L"16777215";
  for (int i = 1; i < 16; ++i) expected += L",16777215";
  EXPECT_EQ(std::wstring(stored), expected);
  RegDeleteKeyW(HKEY_CURRENT_USER, kTestColorsKey);
}

TEST(CustomColors, SurviveASaveAndLoad) {
  CustomColors colors;
  for (size_t i = 0; i < colors.size(); ++i) colors[i] = static_cast<COLORREF>(i * 0x010203);
  colors[15] = 8912895;
  ASSERT_TRUE(SaveCustomColors(colors, kTestColorsKey));
  EXPECT_EQ(LoadCustomColors(kTestColorsKey), colors);
  RegDeleteKeyW(HKEY_CURRENT_USER, kTestColorsKey);
}

TEST(CustomColors, DamagedTextGivesWhiteWhereItCannotBeRead) {
  const CustomColors colors = ParseCustomColors(L"255, x,,16777216,-1,65280");
  EXPECT_EQ(colors[0], 255u);
  EXPECT_EQ(colors[1], 0x00FFFFFFu);  // not a number
  EXPECT_EQ(colors[2], 0x00FFFFFFu);  // empty
  EXPECT_EQ(colors[3], 0x00FFFFFFu);  // more than 24 bits
  EXPECT_EQ(colors[4], 0x00FFFFFFu);  // negative
  EXPECT_EQ(colors[5], 65280u);
  for (size_t i = 6; i < 16; ++i) EXPECT_EQ(colors[i], 0x00FFFFFFu);  // fewer than 16 parts
  EXPECT_EQ(ParseCustomColors(FormatCustomColors(colors)), colors);
}

// ---- Popup menus ---------------------------------------------------------------------------

struct MenuEntry {
  UINT id;
  UINT type;
  UINT state;
  std::wstring caption;
  HMENU submenu;
};

MenuEntry Entry(HMENU menu, int position) {
  MENUITEMINFOW info{};
  info.cbSize = sizeof(info);
  info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STATE | MIIM_DATA | MIIM_SUBMENU;
  EXPECT_TRUE(GetMenuItemInfoW(menu, position, TRUE, &info));
  return {info.wID, info.fType, info.fState, PopupMenu::CaptionOfItemData(info.dwItemData),
          info.hSubMenu};
}

TEST(PopupMenu, TrayMenuIsBuiltOwnerDrawnInOrder) {
  PopupMenu tray(TrayMenuItems());
  ASSERT_EQ(GetMenuItemCount(tray.handle()), 7);
  const MenuEntry first = Entry(tray.handle(), 0);
  EXPECT_EQ(first.caption, L"Nova Nota");
  EXPECT_EQ(first.id, static_cast<UINT>(CommandId::kNewNote));
  EXPECT_TRUE(first.type & MFT_OWNERDRAW);
  EXPECT_FALSE(first.state & MFS_GRAYED);

  const MenuEntry notes = Entry(tray.handle(), 1);
  EXPECT_EQ(notes.caption, L"Notas");
  ASSERT_NE(notes.submenu, nullptr);
  ASSERT_EQ(GetMenuItemCount(notes.submenu), 5);
  EXPECT_TRUE(Entry(notes.submenu, 1).type & MFT_SEPARATOR);
  EXPECT_EQ(Entry(notes.submenu, 4).caption, L"Ocutar Todos");

  EXPECT_TRUE(Entry(tray.handle(), 2).type & MFT_SEPARATOR);
  EXPECT_EQ(Entry(tray.handle(), 6).caption, L"Fechar");
  EXPECT_EQ(Entry(tray.handle(), 6).id, static_cast<UINT>(CommandId::kClose));
}

TEST(PopupMenu, NoteMenuNestsTheOpacityLevels) {
  PopupMenu note(NoteMenuItems());
  ASSERT_EQ(GetMenuItemCount(note.handle()), 13);
  EXPECT_EQ(Entry(note.handle(), 0).caption, L"Sempre Vis\u00edvel");
  const MenuEntry appearance = Entry(note.handle(), 5);
  EXPECT_EQ(appearance.caption, L"Apar\u00eancia");
  ASSERT_NE(appearance.submenu, nullptr);
  const MenuEntry opacity = Entry(appearance.submenu, 2);
  EXPECT_EQ(opacity.caption, L"Transpar\u00eancia");
  ASSERT_NE(opacity.submenu, nullptr);
  ASSERT_EQ(GetMenuItemCount(opacity.submenu), 10);
  EXPECT_EQ(Entry(opacity.submenu, 0).caption, L"10 %");
  EXPECT_EQ(Entry(opacity.submenu, 9).caption, L"100 %");
  EXPECT_EQ(Entry(opacity.submenu, 9).id, static_cast<UINT>(CommandId::kOpacity10));
  EXPECT_EQ(Entry(note.handle(), 12).caption, L"T\u00edtulo...");
}

TEST(PopupMenu, EnabledAndCheckedStatesReachTheMenu) {
  PopupMenu note(NoteMenuItems());
  HMENU appearance = GetSubMenu(note.handle(), 5);
  HMENU opacity = GetSubMenu(appearance, 2);
  HMENU text = GetSubMenu(note.handle(), 9);

  note.SetChecked(CommandId::kPin, true);
  note.SetChecked(CommandId::kOpacity1, true);
  note.SetEnabled(CommandId::kCut, false);
  note.SetEnabled(CommandId::kTextMenu, false);
  EXPECT_TRUE(Entry(note.handle(), 0).state & MFS_CHECKED);
  EXPECT_TRUE(Entry(opacity, 0).state & MFS_CHECKED);
  EXPECT_FALSE(Entry(opacity, 9).state & MFS_CHECKED);
  EXPECT_TRUE(Entry(text, 1).state & MFS_GRAYED);
  EXPECT_FALSE(Entry(text, 2).state & MFS_GRAYED);
  EXPECT_TRUE(Entry(note.handle(), 9).state & MFS_GRAYED);
  EXPECT_TRUE(note.IsChecked(CommandId::kPin));
  EXPECT_FALSE(note.IsEnabled(CommandId::kCut));

  note.SetChecked(CommandId::kPin, false);
  note.SetEnabled(CommandId::kCut, true);
  EXPECT_FALSE(Entry(note.handle(), 0).state & MFS_CHECKED);
  EXPECT_FALSE(Entry(text, 1).state & MFS_GRAYED);
  // Ids of the other menu change nothing.
  note.SetEnabled(CommandId::kNewNote, false);
  EXPECT_FALSE(note.IsEnabled(CommandId::kNewNote));
}

LRESULT CALLBACK MenuOwnerProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  LRESULT result = 0;
  if (PopupMenu::HandleOwnerDrawMessage(message, wparam, lparam, result)) return result;
  if (message == WM_TIMER) {
    KillTimer(hwnd, wparam);
    EndMenu();
    return 0;
  }
  return DefWindowProcW(hwnd, message, wparam, lparam);
}

HWND CreateMenuOwner() {
  WNDCLASSEXW window_class{};
  window_class.cbSize = sizeof(window_class);
  window_class.lpfnWndProc = MenuOwnerProc;
  window_class.hInstance = GetModuleHandleW(nullptr);
  window_class.lpszClassName = L"VelumbrinoMenuOwnerTest";
  RegisterClassExW(&window_class);
  return CreateWindowExW(WS_EX_TOOLWINDOW, window_class.lpszClassName, L"", WS_POPUP, 0, 0, 1, 1,
                         nullptr, nullptr, window_class.hInstance, nullptr);
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

TEST(PopupMenu, TrackReturnsNothingWhenTheMenuIsDismissed) {
  HWND owner = CreateMenuOwner();
  ASSERT_NE(owner, nullptr);
  PopupMenu tray(TrayMenuItems());
  // With VELUMBRINO_MENU_SHOT set the menus stay open long enough for a screenshot.
  const UINT delay = std::getenv("VELUMBRINO_MENU_SHOT") ? 4000 : 300;
  SetTimer(owner, 1, delay, nullptr);
  EXPECT_EQ(tray.Track(owner, 40, 40), CommandId::kNone);
  PopupMenu note(NoteMenuItems());
  note.SetChecked(CommandId::kPin, true);
  note.SetChecked(CommandId::kOpacity10, true);
  note.SetEnabled(CommandId::kCut, false);
  note.SetEnabled(CommandId::kCopy, false);
  note.SetEnabled(CommandId::kAlarm, false);
  SetTimer(owner, 1, delay * 2, nullptr);
  EXPECT_EQ(note.Track(owner, 400, 40), CommandId::kNone);
  DestroyWindow(owner);
}

// ---- Tray icon -----------------------------------------------------------------------------

TEST(TrayIcon, AddsAndRemovesItsIconForAHiddenWindow) {
  HWND window = CreateMenuOwner();
  ASSERT_NE(window, nullptr);
  {
    TrayIcon icon(window, LoadIconW(nullptr, IDI_APPLICATION));
    EXPECT_TRUE(icon.Add());
    EXPECT_TRUE(icon.shown());
    EXPECT_TRUE(icon.ShowBalloon(L"Velumbrino", std::wstring(400, L'x'), NIIF_INFO, 30000));
    EXPECT_TRUE(icon.Remove());
    EXPECT_FALSE(icon.shown());
    // The shell restarting means adding again.
    EXPECT_TRUE(icon.Add());
  }  // the destructor removes it
  TrayIcon again(window, LoadIconW(nullptr, IDI_APPLICATION));
  EXPECT_TRUE(again.Add());
  EXPECT_TRUE(again.Remove());
  EXPECT_NE(TrayIcon::TaskbarCreatedMessage(), 0u);
  EXPECT_EQ(TrayIcon::TaskbarCreatedMessage(), RegisterWindowMessageW(L"TaskbarCreated"));
  DestroyWindow(window);
}

// ---- About box -----------------------------------------------------------------------------

TEST(AboutBox, ClearsAppReadyWhileOpenAndIsTopmost) {
  std::vector<bool> ready_calls;
  std::atomic<bool> found{false}, topmost{false};
  const DWORD ui_thread = GetCurrentThreadId();
  std::thread closer([&] {
    for (int i = 0; i < 100 && !found; ++i) {
      Sleep(50);
      HWND box = FindWindowW(L"#32770", kAboutBoxTitle);
      if (box && IsWindowVisible(box)) {
        found = true;
        Sleep(std::getenv("VELUMBRINO_MENU_SHOT") ? 3000 : 200);  // let it activate (and be seen)
        topmost = (GetWindowLongPtrW(box, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
        PostMessageW(box, WM_CLOSE, 0, 0);
      }
    }
    if (!found) {  // never leave the test hanging in a box nobody sees
      EnumThreadWindows(
          ui_thread,
          [](HWND window, LPARAM) {
            PostMessageW(window, WM_CLOSE, 0, 0);
            return TRUE;
          },
          0);
    }
  });
  ShowAboutBox(nullptr, [&](bool ready) { ready_calls.push_back(ready); });
  closer.join();
  EXPECT_TRUE(found);
  EXPECT_TRUE(topmost);
  EXPECT_EQ(ready_calls, (std::vector<bool>{false, true}));
}

}  // namespace
}  // namespace velumbrino
