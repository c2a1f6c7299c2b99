// Registry colours, popup menu states, AppReady under every modal window; the tray icon, its
// balloons and the font, file and print commands are covered end to end.
#include <gtest/gtest.h>
#include <windows.h>
// after windows.h
#include <winspool.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <tuple>

#include "dialogs/insert_date_time_win.h"
#include "platform/common_dialogs_win.h"
#include "platform/dialog_settings.h"
#include "platform/message_box_win.h"
#include "platform/registry_win.h"
#include "platform/wide_string_win.h"
#include "shell/about_win.h"
#include "shell/command_table.h"
#include "shell/frm_popup_win.h"
#include "shell/popup_menu_win.h"
#include "win_test_support.h"

namespace velumbrino {
namespace {

constexpr wchar_t kTestColorsKey[] = L"Software\\Ovrask\\VelumbrinoTests\\cDialog";

// The text format is unit-tested; here the registry value's type, which other versions read.
TEST(CustomColors, FirstUseIsAllWhiteAndSavedAsAStringThatReadsBack) {
  RegDeleteKeyW(HKEY_CURRENT_USER, kTestColorsKey);
  for (auto color : LoadCustomColors(kTestColorsKey)) EXPECT_EQ(color, 0x00FFFFFFu);
  CustomColors colors;
  for (size_t i = 0; i < colors.size(); ++i) colors[i] = static_cast<COLORREF>(i * 0x010203);
  ASSERT_TRUE(SaveCustomColors(colors, kTestColorsKey));
  EXPECT_EQ(LoadCustomColors(kTestColorsKey), colors);
  DWORD size = 0;  // RRF_RT_REG_SZ refuses any other type
  EXPECT_EQ(RegGetValueW(HKEY_CURRENT_USER, kTestColorsKey, L"RegColors", RRF_RT_REG_SZ, nullptr,
                         nullptr, &size),
            ERROR_SUCCESS);
  RegDeleteKeyW(HKEY_CURRENT_USER, kTestColorsKey);
}

// The prepared states reach the real menu, down to its submenus (the rules are unit-tested).
TEST(PopupMenu, PreparedStatesReachTheRealMenu) {
  PopupMenu note(NoteMenuItems());
  MenuContext context{.pinned = true, .opacity_level = 3};
  note.Prepare(context);
  EXPECT_TRUE(note.IsChecked(CommandId::kPin) && note.IsChecked(OpacityCommand(3)));
  EXPECT_FALSE(note.IsChecked(OpacityCommand(10)) || note.IsEnabled(CommandId::kCut));
  context.selection_length = 4;
  context.pinned = false;
  note.Prepare(context);
  EXPECT_TRUE(note.IsEnabled(CommandId::kCut));
  EXPECT_FALSE(note.IsChecked(CommandId::kPin));
}

struct ModalCheck {
  WPARAM button;
  const AppReadyFlag* app_ready;
  bool seen = false, app_ready_while_open = true, topmost = false;
  std::wstring caption;
};
ModalCheck* g_modal_check = nullptr;

BOOL CALLBACK CloseDialogsOfThread(HWND window, LPARAM) {
  wchar_t class_name[16] = {};
  GetClassNameW(window, class_name, 16);
  if (std::wstring(class_name) == L"#32770" && IsWindowVisible(window)) {
    g_modal_check->seen = true;
    g_modal_check->app_ready_while_open = g_modal_check->app_ready->IsReady();
    g_modal_check->topmost |= (GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
    wchar_t caption[64] = {};
    GetWindowTextW(window, caption, 64);
    g_modal_check->caption = caption;
    PostMessageW(window, WM_COMMAND, g_modal_check->button, 0);
  }
  return TRUE;
}

// From inside the modal loop of `show`: records AppReady, band and caption, then presses `button`.
ModalCheck CheckModal(AppReadyFlag& app_ready, const std::function<void()>& show,
                      WPARAM button = IDCANCEL) {
  ModalCheck check{button, &app_ready};
  g_modal_check = &check;
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

  CommonDialogsWin dialogs(app_ready);
  const std::function<void()> kinds[] = {
      [&] { ShowAboutBox(nullptr, app_ready); },
      [&] { EXPECT_NE(ShowMessageBox(app_ready, nullptr, "?", "Velumbrino", MB_YESNO), IDYES); },
      [&] { EXPECT_EQ(dialogs.ShowColorDialog(nullptr, 0x123456, true), std::nullopt); },
  };
  for (int i = 0; i < 3; ++i) {
    const ModalCheck check = CheckModal(app_ready, kinds[i]);
    EXPECT_TRUE(check.seen && !check.app_ready_while_open) << i;
    EXPECT_TRUE(check.topmost || i != 0);  // the about box: above pinned notes
  }

  // OK gives back the opening font: a system face (Wine's dialog lists those, not Tahoma), red.
  DialogSettings settings;
  settings.font_name = "DejaVu Serif";
  settings.font_size = 12;
  settings.color = 0x000000FF;
  settings.bold = settings.italic = settings.underline = true;
  const auto font_of = [](const DialogSettings& s) {
    return std::tuple(s.font_name, s.font_size, s.bold, s.italic, s.underline, s.strikeout,
                      s.color);
  };
  const auto opened_on = font_of(settings);
  const ModalCheck font = CheckModal(
      app_ready, [&] { EXPECT_TRUE(dialogs.ShowFontDialog(settings, false)); }, IDOK);
  EXPECT_FALSE(font.app_ready_while_open);
  EXPECT_EQ(font_of(settings), opened_on);

  EXPECT_TRUE(app_ready.IsReady());
  EXPECT_EQ(ready_again, 4);
}

TEST(ModalWindows, WithoutAPrinterThePrintCommandSaysSoAndPrintsNothing) {
  DWORD size = 0;
  if (!GetDefaultPrinterW(nullptr, &size) && GetLastError() == ERROR_INSUFFICIENT_BUFFER) {
    GTEST_SKIP() << "a printer is installed";
  }
  AppReadyFlag app_ready;
  app_ready.MarkStarted();
  CommonDialogsWin dialogs(app_ready);
  DialogSettings settings;
  const ModalCheck box = CheckModal(
      app_ready, [&] { EXPECT_FALSE(dialogs.ShowPrinterDialog(settings, 0)); }, IDOK);
  EXPECT_EQ(box.caption, L"imprimir");  // our message, not the printer dialog
  EXPECT_FALSE(box.app_ready_while_open);
}

class RegistryTest : public ::testing::Test {
 protected:
  void TearDown() override {
    RegDeleteTreeW(HKEY_CURRENT_USER, kKey);
    RegDeleteTreeW(HKEY_LOCAL_MACHINE, kKey);
  }
  static constexpr const wchar_t* kKey = L"Software\\VelumbrinoTest\\Prefs";
};

TEST_F(RegistryTest, ValuesReadWholeUserFirstThenMachineAndWrittenForTheUser) {
  static const wchar_t kArial[] = {L'A', L'r', L'i', L'a', L'l'};  // no terminating NUL
  ASSERT_EQ(RegSetKeyValueW(HKEY_CURRENT_USER, kKey, L"Fonte", REG_SZ, kArial, sizeof kArial),
            ERROR_SUCCESS);
  EXPECT_EQ(GetRegistryValue(HKEY_CURRENT_USER, kKey, "Fonte", "x"), "Arial");
  EXPECT_EQ(GetRegistryValue(HKEY_CURRENT_USER, kKey, "Nada", "padrão"), "padrão");

  // Preferences read the user's value first, then the machine's, and write the user's.
  ASSERT_TRUE(SetRegistryValue(HKEY_LOCAL_MACHINE, kKey, "FontNome", "Tahoma"));
  ASSERT_TRUE(SetRegistryValue(HKEY_LOCAL_MACHINE, kKey, "FontSize", "12"));
  RegistryPreferences prefs(kKey);
  EXPECT_EQ(prefs.Get("FontNome", "Arial"), "Tahoma");

  ASSERT_TRUE(prefs.Set("FontNome", "Times New Roman"));
  EXPECT_EQ(prefs.Get("FontNome", "Arial"), "Times New Roman");
  EXPECT_EQ(prefs.Get("FontSize", "10"), "12");
  EXPECT_EQ(GetRegistryValue(HKEY_CURRENT_USER, kKey, "FontNome", ""), "Times New Roman");
  EXPECT_EQ(GetRegistryValue(HKEY_LOCAL_MACHINE, kKey, "FontNome", ""), "Tahoma");
}

TEST(SystemLongDateTest, GivesTheSystemFormOfTheDayOrNothing) {
  // The tests run in Portuguese (Brazil); the day of the week is filled in from the date.
  EXPECT_EQ(SystemLongDate({2026, 12, 5, 14, 30, 45}), "sábado, 5 de dezembro de 2026");
  EXPECT_EQ(SystemLongDate({2026, 13, 40, 0, 0, 0}), "");
}

// The controller window against the tray notifications (icon version 3).
constexpr UINT kSelect = WM_USER;         // NIN_SELECT
constexpr UINT kKeySelect = WM_USER + 1;  // NIN_KEYSELECT
bool g_menu_seen = false;

int VisibleNotes() {
  int count = 0;
  for (HWND note = nullptr; (note = FindWindowExW(nullptr, note, L"frmNote", nullptr));) {
    count += IsWindowVisible(note);
  }
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

  // Enter may send NIN_KEYSELECT twice per press; a single click (then NIN_SELECT) makes nothing.
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
