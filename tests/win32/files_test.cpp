// The font, file and printer side of the note commands against the real API: the common dialogs
// driven by a thread timer, and text loaded into a real note body. (The save and open dialogs
// and printing to a PDF printer are driven end to end.)
#include <windows.h>
// after windows.h
#include <commdlg.h>
#include <dlgs.h>
#include <gtest/gtest.h>
#include <winspool.h>

#include <functional>
#include <string>
#include <tuple>
#include <vector>

#include "note/note_window_win.h"
#include "platform/common_dialogs_win.h"
#include "platform/dialog_settings.h"
#include "platform/text_file_io_win.h"
#include "platform/wide_string_win.h"
#include "store/text_file_encoding.h"
#include "win_test_support.h"

namespace velumbrino {
namespace {

// What to do with the dialog once it is up; runs inside the dialog's own message loop.
std::function<void(HWND)> g_on_dialog;
HWND g_seen_dialog = nullptr;

void CALLBACK DriveDialog(HWND, UINT, UINT_PTR timer, DWORD) {
  HWND dialog = nullptr;
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND window, LPARAM found) -> BOOL {
        wchar_t name[16] = {};
        GetClassNameW(window, name, 16);
        if (!IsWindowVisible(window) || std::wstring(name) != L"#32770") return TRUE;
        *reinterpret_cast<HWND*>(found) = window;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&dialog));
  if (!dialog) return;  // not up yet: the next tick looks again
  KillTimer(nullptr, timer);
  g_seen_dialog = dialog;
  g_on_dialog(dialog);
}

// Arms the timer; the dialog opened next is handed to `action`.
void WhenDialogOpens(std::function<void(HWND)> action) {
  g_on_dialog = std::move(action);
  g_seen_dialog = nullptr;
  SetTimer(nullptr, 0, 150, DriveDialog);
}

void PressOk(HWND dialog) { PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0); }

class FilesTest : public testing::Test {
 protected:
  void TearDown() override {
    for (const std::wstring& path : files_) {
      SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
      DeleteFileW(path.c_str());
    }
  }
  // A fresh path in the temporary folder, deleted again after the test.
  std::string File(const wchar_t* name) {
    files_.push_back(win_test::TempPath(L"files", name));
    DeleteFileW(files_.back().c_str());
    return Narrow(files_.back());
  }

  AppReadyFlag app_ready_;
  CommonDialogsWin dialogs_{app_ready_};
  std::vector<std::wstring> files_;
};

// The font fields the dialog reads and gives back, as one comparable value.
auto FontOf(const DialogSettings& s) {
  return std::tuple(s.font_name, s.font_size, s.bold, s.italic, s.underline, s.strikeout, s.color);
}

TEST_F(FilesTest, FontDialogGivesBackWhatItWasOpenedOnAndTheUsersChanges) {
  app_ready_.MarkStarted();
  // A face of the system's fonts: Wine's dialog lists those, not its own Tahoma. Red is one of
  // the dialog's colours.
  DialogSettings settings;
  settings.font_name = "DejaVu Serif";
  settings.font_size = 12;
  settings.bold = settings.italic = settings.underline = true;
  settings.color = 0x000000FF;
  const auto opened_on = FontOf(settings);
  bool ready_while_open = true;
  WhenDialogOpens([&](HWND dialog) {
    ready_while_open = app_ready_.IsReady();
    PressOk(dialog);
  });
  ASSERT_TRUE(dialogs_.ShowFontDialog(settings, /*no_effects=*/false));
  ASSERT_NE(g_seen_dialog, nullptr);
  EXPECT_FALSE(ready_while_open);
  EXPECT_TRUE(app_ready_.IsReady());
  EXPECT_EQ(FontOf(settings), opened_on);

  // The user ticks strikeout and clears underline.
  WhenDialogOpens([](HWND dialog) {
    SendDlgItemMessageW(dialog, chx1, BM_CLICK, 0, 0);
    SendDlgItemMessageW(dialog, chx2, BM_CLICK, 0, 0);
    PressOk(dialog);
  });
  ASSERT_TRUE(dialogs_.ShowFontDialog(settings, false));
  EXPECT_TRUE(settings.strikeout);
  EXPECT_FALSE(settings.underline);
  EXPECT_EQ(settings.font_size, 12);
}

TEST_F(FilesTest, FailedReadsAndWritesSayWhyAndLeaveTheFileAsItWas) {
  EXPECT_EQ(ReadTextFileBytes(File(L"missing.txt")).problem, FileProblem::kNotFound);
  const std::string locked = File(L"readonly.txt");
  ASSERT_EQ(WriteTextFileBytes(locked, "antes"), std::nullopt);
  SetFileAttributesW(Widen(locked).c_str(), FILE_ATTRIBUTE_READONLY);
  EXPECT_EQ(WriteTextFileBytes(locked, "depois"), FileProblem::kReadOnly);
  EXPECT_EQ(ReadTextFileBytes(locked).bytes, "antes");
  EXPECT_EQ(WriteTextFileBytes("C:\\no\\such\\folder\\x.txt", "x"), FileProblem::kFolderNotFound);
}

// Decoding is unit-tested and a text file is loaded end to end; here the real body's lines.
TEST_F(FilesTest, BodyLinesAreTheWrappedLinesAndALargeTextLoadsWhole) {
  win_test::QuietHost host;
  win_test::StandingClock clock({2024, 3, 3, 9, 5, 30});
  NoteWindowWin note(host, clock, false);
  // Body lines are the lines as wrapped on screen: the long one wraps at the body's width.
  note.ReplaceBodyWithText("curta\r\n" + std::string(100, 'x') + "\r\nfim");
  std::vector<std::string> lines = note.BodyLines();
  ASSERT_GE(lines.size(), 4u);
  EXPECT_EQ(lines.front() + "|" + lines.back(), "curta|fim");
  std::string joined;
  for (size_t i = 1; i + 1 < lines.size(); ++i) {
    EXPECT_LT(lines[i].size(), 100u);
    joined += lines[i];
  }
  EXPECT_EQ(joined, std::string(100, 'x'));

  // A 5 MB text file loads whole (last: Wine's control takes minutes to replace that much).
  std::string big;
  while (big.size() < 5u * 1024 * 1024) big += "uma linha de texto da nota grande\r\n";
  const LoadedTextFile large = DecodeTextFile(big);
  ASSERT_EQ(large.refusal, TextFileRefusal::kNone);
  note.ReplaceBodyWithText(large.text);
  EXPECT_EQ(note.BodyText().size(), big.size());
}

TEST_F(FilesTest, WithoutAPrinterTheDialogSaysSoAndPrintsNothing) {
  DWORD size = 0;
  if (!GetDefaultPrinterW(nullptr, &size) && GetLastError() == ERROR_INSUFFICIENT_BUFFER) {
    GTEST_SKIP() << "a printer is installed";
  }
  DialogSettings settings;
  wchar_t caption[256] = {};
  WhenDialogOpens([&](HWND box) {
    GetWindowTextW(box, caption, 256);
    PressOk(box);
  });
  EXPECT_FALSE(dialogs_.ShowPrinterDialog(settings, 0));
  EXPECT_EQ(std::wstring(caption), L"imprimir");  // our message, not the printer dialog
}

}  // namespace
}  // namespace velumbrino
