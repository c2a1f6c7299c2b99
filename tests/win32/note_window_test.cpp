#include <windows.h>
// commctrl.h and richedit.h need windows.h first.
#include <commctrl.h>
#include <gtest/gtest.h>
#include <oleacc.h>
#include <richedit.h>

#include <climits>
#include <optional>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "alarm/alarm_signal_win.h"
#include "alarm/blink.h"
#include "note/note_style.h"
#include "note/note_window_win.h"
#include "note/rich_text_body_win.h"
#include "platform/file_system_win.h"
#include "platform/wide_string_win.h"
#include "resource.h"
#include "ui_strings.h"
#include "win_test_support.h"

namespace velumbrino {
namespace {

class FakeHost : public win_test::QuietHost {
 public:
  bool ready = true;
  std::vector<std::tuple<NoteWindow*, bool, int, int>> presses;  // note, right button, x, y

  bool AppReady() const override { return ready; }
  void BodyPressed(NoteWindow& note, bool right, int x, int y) override {
    presses.push_back({&note, right, x, y});
  }
};

void Click(HWND window, bool right, LPARAM at) {
  SendMessageW(window, right ? WM_RBUTTONDOWN : WM_LBUTTONDOWN, right ? MK_RBUTTON : MK_LBUTTON,
               at);
  SendMessageW(window, right ? WM_RBUTTONUP : WM_LBUTTONUP, 0, at);
}

// Selects [start, start + length) in control offsets (one character per line break).
void Select(RichTextBody& body, long start, long length) {
  body.SetSelStart(start);
  body.SetSelLength(length);
}

class NoteWindowTest : public ::testing::Test {
 protected:
  FakeHost host_;
  win_test::StandingClock clock_{{2024, 3, 3, 9, 5, 30}};
};

TEST_F(NoteWindowTest, NoTaskbarButtonAndOnlyTranslucentNotesLayered) {
  NoteWindowWin note(host_, clock_, false);
  note.SetVisible(true);
  const auto ex_style = [&] { return GetWindowLongPtrW(note.hwnd(), GWL_EXSTYLE); };
  EXPECT_EQ(ex_style() & (WS_EX_TOOLWINDOW | WS_EX_APPWINDOW), WS_EX_TOOLWINDOW);
  EXPECT_FALSE(ex_style() & WS_EX_LAYERED);
  note.SetOpacity(OpacityAlpha(3));
  EXPECT_TRUE(ex_style() & WS_EX_LAYERED);
  note.SetOpacity(OpacityAlpha(10));
  EXPECT_FALSE(ex_style() & WS_EX_LAYERED);
}

// The pin's click and the hover pictures are driven end to end.
TEST_F(NoteWindowTest, HideButtonAndCloseRequestHideTheNoteAndKeepItsWindow) {
  NoteWindowWin note(host_, clock_, false);
  note.SetVisible(true);
  const HWND hwnd = note.hwnd();
  const LayoutRect hide = NoteLayoutForDpi(note.Dpi()).hide_button;
  Click(hwnd, false, MAKELPARAM(hide.left + hide.width / 2, hide.top + hide.height / 2));
  EXPECT_FALSE(note.Visible());
  EXPECT_NE(GetWindow(hwnd, GW_CHILD), nullptr);  // hidden, not destroyed

  // A close request hides the note too, the window stays for its data.
  note.SetVisible(true);
  SendMessageW(hwnd, WM_CLOSE, 0, 0);
  EXPECT_TRUE(IsWindow(hwnd));
  EXPECT_FALSE(note.Visible());
}

TEST_F(NoteWindowTest, BodyPressReachesTheProgramOnlyWhenReady) {
  NoteWindowWin note(host_, clock_, false);
  note.SetVisible(true);
  const HWND body = note.Body()->hWnd();
  host_.ready = false;
  Click(body, true, MAKELPARAM(30, 40));
  EXPECT_TRUE(host_.presses.empty());

  host_.ready = true;
  Click(body, true, MAKELPARAM(30, 40));
  Click(body, false, MAKELPARAM(5, 5));
  ASSERT_EQ(host_.presses.size(), 2u);
  POINT expected{30, 40};
  ClientToScreen(body, &expected);
  EXPECT_EQ(host_.presses[0],
            std::tuple(static_cast<NoteWindow*>(&note), true, static_cast<int>(expected.x),
                       static_cast<int>(expected.y)));
  EXPECT_FALSE(std::get<1>(host_.presses[1]));
}

TEST_F(NoteWindowTest, DefaultFontReachesTheBody) {
  for (const auto& [size_text, size] : {std::pair{"12", 12.0}, std::pair{"grande", 10.0}}) {
    NoteWindowWin note(host_, clock_, false);
    note.ApplyDefaultFont({"Tahoma", size_text, true, false, true});
    RichTextBody& body = *note.Body();
    body.SetSelText(L"Lembrete");
    Select(body, 0, 8);
    EXPECT_EQ(std::tuple(body.SelFontName().value_or(L""), body.SelFontSize().value_or(0),
                         body.SelBold(), body.SelItalic(), body.SelUnderline()),
              std::tuple(L"Tahoma", size, true, false, true));
  }
}

std::wstring ClipboardText() {
  std::wstring text;
  if (!OpenClipboard(nullptr)) return text;
  const HANDLE data = GetClipboardData(CF_UNICODETEXT);
  if (const auto* chars = data ? static_cast<const wchar_t*>(GlobalLock(data)) : nullptr) {
    text = chars, GlobalUnlock(data);
  }
  CloseClipboard();
  return text;
}

TEST_F(NoteWindowTest, EditingCommandsUseTheBodyAndTheClipboard) {
  NoteWindowWin note(host_, clock_, false);
  RichTextBody& body = *note.Body();
  body.SetSelText(L"um dois tr\u00EAs");

  note.EditBody(NoteWindow::BodyEdit::kSelectAll);
  EXPECT_EQ(note.SelectionLength(), 12);
  note.EditBody(NoteWindow::BodyEdit::kCopy);
  EXPECT_EQ(ClipboardText(), L"um dois tr\u00EAs");

  Select(body, 3, 5);  // "dois "
  note.EditBody(NoteWindow::BodyEdit::kCut);
  EXPECT_EQ(body.Text(), L"um tr\u00EAs");
  EXPECT_EQ(ClipboardText(), L"dois ");

  Select(body, 0, 0);
  note.EditBody(NoteWindow::BodyEdit::kPaste);
  EXPECT_EQ(body.Text(), L"dois um tr\u00EAs");

  note.EditBody(NoteWindow::BodyEdit::kUndo);
  EXPECT_EQ(body.Text(), L"um tr\u00EAs");
}

// The name a screen reader announces for `window`.
std::wstring AccessibleName(HWND window) {
  IAccessible* object = nullptr;
  // __uuidof: the IID_IAccessible of the import library is the address of a data import.
  if (FAILED(AccessibleObjectFromWindow(window, static_cast<DWORD>(OBJID_CLIENT),
                                        __uuidof(IAccessible),
                                        reinterpret_cast<void**>(&object)))) {
    return L"<no object>";
  }
  VARIANT self{};
  self.vt = VT_I4;
  self.lVal = CHILDID_SELF;
  BSTR name = nullptr;
  object->get_accName(self, &name);
  std::wstring text = name ? std::wstring(name, SysStringLen(name)) : L"";
  SysFreeString(name);
  object->Release();
  return text;
}

TEST_F(NoteWindowTest, ScreenReadersNameTheNoteByItsTitleAndDialogEditsByTheirLabels) {
  NoteWindowWin note(host_, clock_, false);
  note.SetTitle("Compras da semana");
  EXPECT_EQ(AccessibleName(note.hwnd()), L"Compras da semana");
  ASSERT_NE(note.Body(), nullptr);
  EXPECT_EQ(GetParent(note.Body()->hWnd()), note.hwnd());  // the body is read within the note

  const DLGPROC plain = [](HWND, UINT, WPARAM, LPARAM) -> INT_PTR { return FALSE; };
  for (const auto& [dialog, edit, label] :
       {std::tuple{IDD_NOTE_TITLE, IDC_TITLE_TEXT, TXT_TITLE_DIALOG_FRAME},
        std::tuple{IDD_ALARM, IDC_ALARM_PATH, TXT_ALARM_SOUND_FROM_FILE}}) {
    const HWND box =
        CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(dialog), nullptr, plain, 0);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(AccessibleName(GetDlgItem(box, edit)), Widen(label)) << dialog;
    DestroyWindow(box);
  }
}

// Forwards the note windows' alarm events to the signal, as the program's controller does.
class SignalHost : public win_test::QuietHost {
 public:
  AlarmSignal* signal = nullptr;
  const AppReadyFlag* ready = nullptr;
  bool AppReady() const override { return ready->IsReady(); }
  void AlarmCheckTick(NoteWindowWin& note) override { signal->CheckTick(note); }
  void BlinkTick(NoteWindowWin& note) override { signal->BlinkTick(note); }
  void StopBlinking(NoteWindowWin& note) override { signal->StopBlinking(note); }
  void NoteClosing(NoteWindowWin& note) override { signal->NoteClosing(note.Tag()); }
};

std::string FreshFolder() {
  const std::wstring folder = win_test::TempPath(L"alarm", L"signal\\");
  CreateDirectoryW(folder.c_str(), nullptr);
  DeleteFileW((folder + L"config.cfg").c_str());
  DeleteFileW((folder + L"indice.dat").c_str());
  return Narrow(folder);
}

class AlarmSignalTest : public ::testing::Test {
 protected:
  AlarmSignalTest() {
    host_.signal = &signal_;
    host_.ready = &ready_;
    ready_.MarkStarted();
    for (const char* n : {"1", "2"}) notes_.CreateNote(n, false, {}, /*show=*/false);
  }
  NoteWindowWin& Note(int number) {
    return dynamic_cast<NoteWindowWin&>(notes_.At(notes_.FindNoteWindow(number)));
  }
  void ArmForNow(int number) {
    // clang-format off
    ASSERT_TRUE(NoteSettings(notes_.Settings(), number).Apply({{NoteKey::kAlarm, "1"},
        {NoteKey::kDiariamente, "0"}, {NoteKey::kTocarSom, "1"}, {NoteKey::kSom, "0"},
        {NoteKey::kData, "06/12/2026"}, {NoteKey::kHora, "14:05:00"}, {NoteKey::kHoraAntes, "14:04:00"}}));
    // clang-format on
  }
  // Visible, topmost, blinking, checking its alarm.
  static std::vector<bool> Signalled(const NoteWindowWin& note) {
    return {note.Visible(), (GetWindowLongPtrW(note.hwnd(), GWL_EXSTYLE) & WS_EX_TOPMOST) != 0,
            note.BlinkTimerEnabled(), note.AlarmTimerEnabled()};
  }

  const std::string folder_ = FreshFolder();
  win_test::StandingClock clock_{{2026, 12, 6, 14, 5, 10}};
  AppReadyFlag ready_;
  SignalHost host_;
  NoteWindowFactoryWin factory_{host_, clock_};
  NoteCollection notes_{WinFileSystem(), factory_, folder_};
  std::vector<std::string> sounds_;
  AlarmSignal signal_{notes_, clock_, ready_, "C:\\Velumbrino\\",
                      [this](const std::string& file) { sounds_.push_back(file); }};
};

TEST_F(AlarmSignalTest, FiringWaitsForTheModalWindowAndSignalsOnceAfterIt) {
  ArmForNow(1);
  {
    ModalGuard dialog_open(ready_);
    signal_.CheckTick(Note(1));
    signal_.CheckTick(Note(1));  // the same minute again while it waits
    EXPECT_FALSE(Note(1).Visible() || Note(1).BlinkTimerEnabled());
    EXPECT_TRUE(sounds_.empty());
    EXPECT_EQ(NoteSettings(notes_.Settings(), 1).Read(NoteKey::kHora, ""), "14:05:00");
  }
  signal_.ReleaseWaiting();
  // One-time: its check ends.
  EXPECT_EQ(Signalled(Note(1)), (std::vector<bool>{true, true, true, false}));
  EXPECT_EQ(sounds_, std::vector<std::string>{"C:\\Velumbrino\\Alarme\\Alarm08.wav"});
  EXPECT_FALSE(Note(2).Visible());

  // Its keys go (the simulation checks that); armed again, the served minute fires no more.
  ArmForNow(1);
  signal_.CheckTick(Note(1));
  EXPECT_EQ(sounds_.size(), 1u);
}

TEST_F(AlarmSignalTest, FiringOfANoteDeletedWhileItWaitedNeverSignals) {
  ArmForNow(1);
  {
    ModalGuard dialog_open(ready_);
    signal_.CheckTick(Note(1));
    notes_.DeleteNote(1, notes_.FindNoteWindow(1));
    // A new note under the same number is another note.
    notes_.CreateNote("1", false, {}, /*show=*/false);
  }
  signal_.ReleaseWaiting();
  EXPECT_TRUE(sounds_.empty());
  EXPECT_FALSE(Note(1).Visible() || Note(1).BlinkTimerEnabled());
}

// The modify flag that decides whether a body is written back is checked end to end.
class RichTextBodyTest : public ::testing::Test {
 protected:
  ~RichTextBodyTest() override { DestroyWindow(parent_); }
  // A hidden top-level window is all the control needs as a parent.
  const HWND parent_ = CreateWindowExW(0, L"STATIC", L"", WS_OVERLAPPEDWINDOW, 0, 0, 400, 400,
                                       nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  RECT bounds_{2, 20, 182, 190};
};

void AppendSelected(RichTextBody& body, const std::wstring& text) {
  body.SetSelStart(LONG_MAX);
  const long start = body.SelStart();
  body.SetSelText(text);
  Select(body, start, static_cast<long>(text.size()));
}

struct Format {
  std::optional<std::wstring> face;
  std::optional<double> size;
  std::optional<bool> bold, italic, underline, strike;
  std::optional<COLORREF> color;
  bool operator==(const Format&) const = default;
};

Format FormatOf(const RichTextBody& body) {
  return {body.SelFontName(),  body.SelFontSize(),   body.SelBold(), body.SelItalic(),
          body.SelUnderline(), body.SelStrikeThru(), body.SelColor()};
}

TEST_F(RichTextBodyTest, SavedRtfKeepsTextFontsColoursAndStyles) {
  // Each span is appended and formatted in turn; the copies check it without its trailing blank.
  const struct {
    std::wstring appended, checked;
    Format format;
  } spans[] = {
      {L"Alfa ", L"Alfa", {L"Courier New", 14, true, false, false, false, RGB(0, 0, 255)}},
      {L"beta\r", L"beta", {L"Times New Roman", 10.5, false, true, true, false, RGB(128, 0, 0)}},
      {L"gama ação", L"gama ação", {L"Tahoma", 8, false, false, false, true, RGB(0, 128, 0)}},
  };
  RichTextBody source(parent_, 1, bounds_);
  for (const auto& span : spans) {
    AppendSelected(source, span.appended);
    source.SetSelFontName(*span.format.face);
    source.SetSelFontSize(*span.format.size);
    source.SetSelBold(*span.format.bold);
    source.SetSelItalic(*span.format.italic);
    source.SetSelUnderline(*span.format.underline);
    source.SetSelStrikeThru(*span.format.strike);
    source.SetSelColor(*span.format.color);
  }
  const std::string rtf = source.SaveRtf();
  ASSERT_EQ(rtf.rfind("{\\rtf", 0), 0u);

  auto check = [&](RichTextBody& copy) {
    EXPECT_EQ(copy.Text(), source.Text());
    long start = 0;
    for (const auto& span : spans) {
      Select(copy, start, static_cast<long>(span.checked.size()));
      EXPECT_EQ(copy.SelText(), span.checked);
      EXPECT_TRUE(FormatOf(copy) == span.format) << start;
      start += static_cast<long>(span.appended.size());
    }
  };
  RichTextBody from_memory(parent_, 2, bounds_);
  ASSERT_TRUE(from_memory.LoadBytes(rtf));
  check(from_memory);

  const std::wstring path = win_test::TempPath(L"body", L"round.vmb");
  ASSERT_TRUE(source.SaveFile(path));
  RichTextBody from_file(parent_, 3, bounds_);
  EXPECT_TRUE(from_file.LoadFile(path));
  DeleteFileW(path.c_str());
  check(from_file);

  EXPECT_FALSE(source.SaveFile(win_test::TempPath(L"body", L"no_such_folder\\x.vmb")));
}

// Plain, truncated, empty and very large body files are loaded end to end.
TEST_F(RichTextBodyTest, MissingFileKeepsTheBodyAndMalformedRtfLoadsWithoutACrash) {
  RichTextBody body(parent_, 1, bounds_);
  ASSERT_TRUE(body.LoadBytes("texto"));
  EXPECT_FALSE(body.LoadFile(win_test::TempPath(L"body", L"missing.vmb")));
  EXPECT_EQ(body.Text(), L"texto");
  body.LoadBytes("{\\rtf1{{{{\\fonttbl{\\f0\\'zz}}\\colortbl;\\red999;}\\bin999999 x");
  body.Text();
}

TEST_F(RichTextBodyTest, SelectionMembersReportMixedValuesAsNothing) {
  RichTextBody body(parent_, 1, bounds_);
  ASSERT_TRUE(body.LoadBytes("negrito normal"));
  Select(body, 0, 7);
  body.SetSelBold(true);
  body.SetSelColor(RGB(255, 0, 0));
  body.SetSelFontName(L"Tahoma");
  body.SetSelFontSize(12);

  Select(body, 3, 8);  // half bold; italic is uniform over both halves
  EXPECT_EQ(std::tuple(body.SelBold(), body.SelColor(), body.SelFontName(), body.SelFontSize(),
                       body.SelItalic()),
            std::tuple(std::nullopt, std::nullopt, std::nullopt, std::nullopt, false));
  Select(body, 0, 7);
  EXPECT_EQ(std::tuple(body.SelBold(), body.SelColor(), body.SelFontName(), body.SelFontSize()),
            std::tuple(true, RGB(255, 0, 0), L"Tahoma", 12.0));
  Select(body, 8, 6);
  EXPECT_EQ(std::tuple(body.SelBold(), body.SelFontName()), std::tuple(false, L"Arial"));

  // Nonsense sizes and names change nothing.
  Select(body, 0, 7);
  body.SetSelFontSize(-3);
  body.SetSelFontName(L"");
  EXPECT_EQ(std::tuple(body.SelFontSize(), body.SelFontName()), std::tuple(12.0, L"Tahoma"));
}

}  // namespace
}  // namespace velumbrino
