// The font, file and printer side of the note commands against the real API: the common
// dialogs driven by a thread timer that presses their buttons, text files of every encoding
// and rich text loaded into a real note body, and the print job on a metafile.
#include <windows.h>
// after windows.h
#include <commdlg.h>
#include <dlgs.h>
#include <gtest/gtest.h>
#include <winspool.h>

#include <cwchar>
#include <functional>
#include <string>
#include <vector>

#include "note/dialog_settings.h"
#include "note/note_window_win.h"
#include "note/print_sink_win.h"
#include "platform/common_dialogs_win.h"
#include "platform/text_file_io_win.h"
#include "platform/wide_string_win.h"
#include "store/text_file_encoding.h"

namespace velumbrino {
namespace {

// ---- Driving a common dialog from a thread timer ------------------------------------------

// What to do with the dialog once it is up; runs inside the dialog's own message loop.
std::function<void(HWND)> g_on_dialog;
HWND g_seen_dialog = nullptr;

BOOL CALLBACK FindDialog(HWND window, LPARAM found) {
  wchar_t name[16] = {};
  GetClassNameW(window, name, 16);
  if (IsWindowVisible(window) && std::wstring(name) == L"#32770") {
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
  }
  return TRUE;
}

void CALLBACK DriveDialog(HWND, UINT, UINT_PTR timer, DWORD) {
  HWND dialog = nullptr;
  EnumThreadWindows(GetCurrentThreadId(), FindDialog, reinterpret_cast<LPARAM>(&dialog));
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
void PressCancel(HWND dialog) {
  PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
}

// Types a path into a file dialog's name box and confirms it.
void ChooseFile(HWND dialog, const std::wstring& path) {
  HWND name = GetDlgItem(dialog, edt1);
  if (!name) name = GetDlgItem(dialog, cmb13);
  SetWindowTextW(name, path.c_str());
  PressOk(dialog);
}

std::wstring TempPath(const wchar_t* name) {
  wchar_t folder[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, folder);
  return std::wstring(folder) + L"velumbrino_files_" + std::to_wstring(GetCurrentProcessId()) +
         L"_" + name;
}

class FilesTest : public testing::Test {
 protected:
  void TearDown() override {
    for (const std::wstring& path : files_) {
      SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
      DeleteFileW(path.c_str());
    }
  }
  std::string File(const wchar_t* name) {
    files_.push_back(TempPath(name));
    DeleteFileW(files_.back().c_str());
    return Narrow(files_.back());
  }

  AppReadyFlag app_ready_;
  CommonDialogsWin dialogs_{app_ready_};
  std::vector<std::wstring> files_;
};

// ---- Font dialog ----------------------------------------------------------------------------

TEST_F(FilesTest, FontDialogGivesBackWhatItWasOpenedOnAndTheUsersChanges) {
  app_ready_.MarkStarted();
  DialogSettings settings;
  // A face of the system's fonts: Wine's dialog lists those, not its own Tahoma.
  settings.font_name = "DejaVu Serif";
  settings.font_size = 12;
  settings.bold = true;
  settings.italic = true;
  settings.underline = true;
  settings.strikeout = false;
  settings.color = 0x000000FF;  // red, one of the dialog's colours

  bool ready_while_open = true;
  WhenDialogOpens([&](HWND dialog) {
    ready_while_open = app_ready_.IsReady();
    PressOk(dialog);
  });
  ASSERT_TRUE(dialogs_.ShowFontDialog(settings, /*no_effects=*/false));
  ASSERT_NE(g_seen_dialog, nullptr);
  EXPECT_FALSE(ready_while_open);
  EXPECT_TRUE(app_ready_.IsReady());
  EXPECT_EQ(settings.font_name, "DejaVu Serif");
  EXPECT_EQ(settings.font_size, 12);
  EXPECT_TRUE(settings.bold);
  EXPECT_TRUE(settings.italic);
  EXPECT_TRUE(settings.underline);
  EXPECT_FALSE(settings.strikeout);
  EXPECT_EQ(settings.color, 0x000000FFu);

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

  // Cancel: false, and the fields stay.
  const DialogSettings before = settings;
  WhenDialogOpens(PressCancel);
  EXPECT_FALSE(dialogs_.ShowFontDialog(settings, false));
  EXPECT_EQ(settings.font_name, before.font_name);
  EXPECT_EQ(settings.strikeout, before.strikeout);
}

// ---- File dialogs and text files --------------------------------------------------------------

TEST_F(FilesTest, SaveAndOpenDialogsReturnTheChosenPathAndTheFileComesBack) {
  const std::string path = File(L"saved.txt");
  DialogSettings settings;
  PrepareTextFileDialog(0, "", settings);

  WhenDialogOpens([&](HWND dialog) { ChooseFile(dialog, Widen(path)); });
  dialogs_.ShowSaveDialog(settings);
  ASSERT_EQ(settings.file_name, path);

  const EncodedTextFile encoded = EncodeTextFile("Lista\nmaçã e pão");
  ASSERT_EQ(WriteTextFileBytes(settings.file_name, encoded.bytes), std::nullopt);

  PrepareTextFileDialog(0, "", settings);
  WhenDialogOpens([&](HWND dialog) { ChooseFile(dialog, Widen(path)); });
  dialogs_.ShowOpenDialog(settings);
  ASSERT_EQ(settings.file_name, path);
  const TextFileBytes read = ReadTextFileBytes(settings.file_name);
  ASSERT_EQ(read.problem, std::nullopt);
  EXPECT_EQ(read.bytes, "Lista\r\nma\xE7\xE3 e p\xE3o\r\n");

  // Cancelled: the name stays empty.
  PrepareTextFileDialog(0, "", settings);
  WhenDialogOpens(PressCancel);
  dialogs_.ShowOpenDialog(settings);
  EXPECT_EQ(settings.file_name, "");
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

// A note window for loading bodies into; it never asks to be saved here.
class QuietHost : public NoteWindowHost {
 public:
  bool AppReady() const override { return true; }
  void BodyPressed(NoteWindow&, bool, int, int) override {}
  void PinClicked(NoteWindow&) override {}
  void NoteNeedsSave(NoteWindow&) override {}
};

class FixedClock : public Clock {
 public:
  LocalTime Now() const override { return {2024, 3, 3, 9, 5, 30}; }
};

TEST_F(FilesTest, TextOfEveryEncodingAndRichTextLoadIntoARealBody) {
  QuietHost host;
  FixedClock clock;
  NoteWindowWin note(host, clock, false);
  const std::string expected = "Ação\r\nsegunda linha";
  const struct {
    const char* name;
    std::string bytes;
  } files[] = {
      {"ansi", "A\xE7\xE3o\r\nsegunda linha"},
      {"utf8", "Ação\nsegunda linha"},
      {"utf8 bom",
       "\xEF\xBB\xBF"
       "Ação\r\nsegunda linha"},
      {"utf16 le", std::string("\xFF\xFE"
                               "A\0\xE7\0\xE3\0o\0\r\0\n\0s\0e\0g\0u\0n\0d\0a\0 \0l\0i\0n\0h\0a\0",
                               2 + 19 * 2)},
      {"utf16 be",
       std::string("\xFE\xFF\0A\0\xE7\0\xE3\0o\0\r\0\n\0s\0e\0g\0u\0n\0d\0a\0 \0l\0i\0n\0h\0a",
                   2 + 19 * 2)},
  };
  for (const auto& file : files) {
    SCOPED_TRACE(file.name);
    const LoadedTextFile loaded = DecodeTextFile(file.bytes);
    ASSERT_EQ(loaded.refusal, TextFileRefusal::kNone);
    ASSERT_FALSE(loaded.rich_text);
    note.ReplaceBodyWithText("texto anterior que some");
    note.ReplaceBodyWithText(loaded.text);
    EXPECT_EQ(note.BodyText(), expected);
  }

  // Rich text written by the control keeps its formatting when it comes back.
  note.ReplaceBodyWithText("negrito");
  note.Body()->SetSelStart(0);
  note.Body()->SetSelLength(7);
  note.SetSelectionFont({.face = "Tahoma", .size = 14.0, .bold = true, .color = 0x00FF0000});
  const std::string rtf = note.Body()->SaveRtf();
  note.ReplaceBodyWithText("outro");
  const LoadedTextFile loaded = DecodeTextFile(rtf);
  ASSERT_TRUE(loaded.rich_text);
  note.ReplaceBodyWithRtf(loaded.text);
  EXPECT_EQ(note.BodyText(), "negrito");
  note.Body()->SetSelStart(0);
  note.Body()->SetSelLength(7);
  const SelectionFont font = note.GetSelectionFont();
  EXPECT_EQ(font.face, "Tahoma");
  EXPECT_EQ(font.size, 14.0);
  EXPECT_EQ(font.bold, true);
  EXPECT_EQ(font.color, 0x00FF0000u);

  // A 5 MB text file loads whole.
  std::string big;
  while (big.size() < 5u * 1024 * 1024) big += "uma linha de texto da nota grande\r\n";
  const LoadedTextFile large = DecodeTextFile(big);
  ASSERT_EQ(large.refusal, TextFileRefusal::kNone);
  note.ReplaceBodyWithText(large.text);
  EXPECT_EQ(note.BodyText().size(), big.size());
}

TEST_F(FilesTest, BodyLinesAreTheLinesAsWrappedOnScreen) {
  QuietHost host;
  FixedClock clock;
  NoteWindowWin note(host, clock, false);
  note.ReplaceBodyWithText("curta\r\n" + std::string(100, 'x') + "\r\nfim");
  const std::vector<std::string> lines = note.BodyLines();
  ASSERT_GE(lines.size(), 4u);  // the long line wraps at the body's width
  EXPECT_EQ(lines.front(), "curta");
  EXPECT_EQ(lines.back(), "fim");
  std::string joined;
  for (size_t i = 1; i + 1 < lines.size(); ++i) {
    EXPECT_LT(lines[i].size(), 100u);
    joined += lines[i];
  }
  EXPECT_EQ(joined, std::string(100, 'x'));
}

// ---- Printing -----------------------------------------------------------------------------

TEST_F(FilesTest, PrintJobOnAMetafileHasTheTitleAndLinesAtTheirPlaces) {
  HDC reference = GetDC(nullptr);
  HDC metafile = CreateEnhMetaFileW(reference, nullptr, nullptr, L"Velumbrino\0nota\0");
  ReleaseDC(nullptr, reference);
  ASSERT_NE(metafile, nullptr);
  std::vector<std::string> body = {"primeira linha", std::string(100, 'y')};
  PrintSinkWin sink(metafile);
  const PrintMetrics metrics = sink.Metrics();
  EXPECT_GT(metrics.line_height_twips, 0);
  // Each call of the sink on a real DC; a metafile takes no document, so only the lines are
  // drawn and checked.
  const std::vector<PrintedPage> pages = LayOutPrintedNote("Compras", body, metrics);
  for (const PrintedLine& line : pages[0]) {
    ASSERT_TRUE(sink.PrintLine(line.x_twips, line.y_twips, line.text));
  }
  HENHMETAFILE picture = CloseEnhMetaFile(metafile);
  ASSERT_NE(picture, nullptr);

  // The records read from the metafile's bytes: every text drawn and where.
  std::vector<std::wstring> texts;
  std::vector<POINTL> places;
  std::vector<BYTE> bits(GetEnhMetaFileBits(picture, 0, nullptr));
  GetEnhMetaFileBits(picture, static_cast<UINT>(bits.size()), bits.data());
  for (size_t at = 0; at + sizeof(ENHMETARECORD) <= bits.size();) {
    const auto* record = reinterpret_cast<const ENHMETARECORD*>(bits.data() + at);
    if (record->nSize < 8) break;
    if (record->iType == EMR_EXTTEXTOUTW) {
      const auto* text = reinterpret_cast<const EMREXTTEXTOUTW*>(record);
      const auto* chars =
          reinterpret_cast<const wchar_t*>(bits.data() + at + text->emrtext.offString);
      texts.emplace_back(chars, text->emrtext.nChars);
      places.push_back(text->emrtext.ptlReference);
    }
    at += record->nSize;
  }
  DeleteEnhMetaFile(picture);
  ASSERT_EQ(texts.size(), 3u);  // the empty first line draws nothing
  EXPECT_EQ(texts[0], L"     Compras");
  EXPECT_EQ(texts[1], L"primeira linha");
  EXPECT_EQ(texts[2], std::wstring(79, L'y'));
  const int dpi = GetDeviceCaps(GetDC(nullptr), LOGPIXELSX);
  EXPECT_EQ(places[1].x, MulDiv(200, dpi, 1440));
  EXPECT_EQ(places[0].x, 0);
  EXPECT_GT(places[1].y, places[0].y);
}

TEST_F(FilesTest, WithoutAPrinterTheDialogSaysSoAndPrintsNothing) {
  DWORD size = 0;
  if (!GetDefaultPrinterW(nullptr, &size) && GetLastError() == ERROR_INSUFFICIENT_BUFFER) {
    GTEST_SKIP() << "a printer is installed";
  }
  DialogSettings settings;
  std::wstring text;
  std::wstring caption;
  WhenDialogOpens([&](HWND box) {
    wchar_t buffer[256] = {};
    GetWindowTextW(box, buffer, 256);
    caption = buffer;
    // The message is the box's static text with the most characters (the icon has none).
    EnumChildWindows(
        box,
        [](HWND child, LPARAM out) -> BOOL {
          wchar_t line[256] = {};
          GetWindowTextW(child, line, 256);
          auto* longest = reinterpret_cast<std::wstring*>(out);
          if (wcslen(line) > longest->size()) *longest = line;
          return TRUE;
        },
        reinterpret_cast<LPARAM>(&text));
    PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
  });
  EXPECT_FALSE(dialogs_.ShowPrinterDialog(settings, 0));
  EXPECT_EQ(caption, L"imprimir");
  EXPECT_EQ(text, Widen("Aviso: Não foi possível localizar uma impressora padrão existente."));
}

}  // namespace
}  // namespace velumbrino
