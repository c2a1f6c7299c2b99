#include <windows.h>
// commctrl.h needs windows.h first.
#include <commctrl.h>
#include <gtest/gtest.h>
#include <oleacc.h>

#include <cstdlib>
#include <functional>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "note/note_style.h"
#include "note/note_window_win.h"
#include "platform/wide_string_win.h"
#include "resource.h"
#include "ui_strings.h"
#include "win_test_support.h"

namespace velumbrino {
namespace {

class FakeHost : public win_test::QuietHost {
 public:
  struct Press {
    NoteWindow* note;
    bool right;
    int x;
    int y;
  };
  bool ready = true;
  std::vector<Press> presses;

  bool AppReady() const override { return ready; }
  void BodyPressed(NoteWindow& note, bool right, int x, int y) override {
    presses.push_back({&note, right, x, y});
  }
};

LPARAM ClientPoint(const LayoutRect& r) {
  return MAKELPARAM(r.left + r.width / 2, r.top + r.height / 2);
}

// A press and release of a mouse button on `window`, at `down` and `up`.
void Click(HWND window, bool right, LPARAM down, LPARAM up) {
  SendMessageW(window, right ? WM_RBUTTONDOWN : WM_LBUTTONDOWN, right ? MK_RBUTTON : MK_LBUTTON,
               down);
  SendMessageW(window, right ? WM_RBUTTONUP : WM_LBUTTONUP, 0, up);
}

class NoteWindowTest : public testing::Test {
 protected:
  FakeHost host_;
  win_test::StandingClock clock_{{2024, 3, 3, 9, 5, 30}};
};

// Its size, outline and place are seen end to end; no taskbar button is not.
TEST_F(NoteWindowTest, RestoredWindowIsAHiddenBorderlessToolWindowWithoutTitle) {
  host_.ready = false;
  NoteWindowWin note(host_, clock_, false);
  const HWND hwnd = note.hwnd();
  ASSERT_NE(hwnd, nullptr);
  EXPECT_FALSE(note.Visible());
  const LONG_PTR style = GetWindowLongPtrW(hwnd, GWL_STYLE);
  EXPECT_TRUE(style & WS_POPUP);
  EXPECT_EQ(style & (WS_CAPTION | WS_THICKFRAME), 0);
  EXPECT_EQ(GetWindowLongPtrW(hwnd, GWL_EXSTYLE) & (WS_EX_TOOLWINDOW | WS_EX_APPWINDOW),
            WS_EX_TOOLWINDOW);
  EXPECT_EQ(note.Title(), "");
}

TEST_F(NoteWindowTest, NewNoteGetsClockTitleAndAPlaceOnTheScreen) {
  for (int i = 0; i < 5; ++i) {
    NoteWindowWin note(host_, clock_, true);
    EXPECT_EQ(note.Title(), "03/mar - 09:05");
    EXPECT_GE(note.Left(), 0);
    EXPECT_LE(note.Left(), PixelsToTwips(GetSystemMetrics(SM_CXSCREEN), note.Dpi()) - 3000);
    EXPECT_GE(note.Top(), 0);
    EXPECT_LE(note.Top(), PixelsToTwips(GetSystemMetrics(SM_CYSCREEN), note.Dpi()) - 3500);
  }
}

TEST_F(NoteWindowTest, PositionReadsBackExactly) {
  NoteWindowWin note(host_, clock_, false);
  // Stored twips read back exactly, even where they fall between two pixels.
  for (int twips : {5175, 8760, 1234, 0, 7}) {
    note.SetTop(twips);
    note.SetLeft(twips + 1);
    EXPECT_EQ(note.Top(), twips);
    EXPECT_EQ(note.Left(), twips + 1);
  }
  // Moved by other means (a drag), the position is read from the window.
  SetWindowPos(note.hwnd(), nullptr, 100, 50, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  EXPECT_EQ(note.Left(), PixelsToTwips(100, note.Dpi()));
  EXPECT_EQ(note.Top(), PixelsToTwips(50, note.Dpi()));
}

// The band is read back here: with no window manager the end-to-end tests cannot see it change.
TEST_F(NoteWindowTest, PinBandAndOpacityOnlyTranslucentNotesLayered) {
  NoteWindowWin note(host_, clock_, false);
  note.SetVisible(true);
  const auto ex_style = [&] { return GetWindowLongPtrW(note.hwnd(), GWL_EXSTYLE); };
  note.ShowPinned();
  EXPECT_TRUE(ex_style() & WS_EX_TOPMOST);
  note.ShowUnpinned();
  EXPECT_FALSE(ex_style() & WS_EX_TOPMOST);
  EXPECT_FALSE(ex_style() & WS_EX_LAYERED);
  note.SetOpacity(OpacityAlpha(3));
  BYTE alpha = 0;
  ASSERT_TRUE(GetLayeredWindowAttributes(note.hwnd(), nullptr, &alpha, nullptr));
  EXPECT_EQ(alpha, 76);
  note.SetOpacity(OpacityAlpha(10));
  EXPECT_FALSE(ex_style() & WS_EX_LAYERED);
}

// The pin's click and the hover pictures are driven end to end.
TEST_F(NoteWindowTest, HideButtonAndCloseRequestHideTheNoteAndKeepItsWindow) {
  NoteWindowWin note(host_, clock_, false);
  note.SetVisible(true);
  const HWND hwnd = note.hwnd();
  const LPARAM hide = ClientPoint(NoteLayoutForDpi(note.Dpi()).hide_button);
  Click(hwnd, false, hide, hide);
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
  Click(body, true, MAKELPARAM(30, 40), MAKELPARAM(30, 40));
  EXPECT_TRUE(host_.presses.empty());

  host_.ready = true;
  Click(body, true, MAKELPARAM(30, 40), MAKELPARAM(30, 40));
  Click(body, false, MAKELPARAM(5, 5), MAKELPARAM(5, 5));
  ASSERT_EQ(host_.presses.size(), 2u);
  POINT expected{30, 40};
  ClientToScreen(body, &expected);
  const FakeHost::Press& press = host_.presses[0];
  EXPECT_EQ(std::tuple(press.note, press.right, press.x, press.y),
            std::tuple(&note, true, static_cast<int>(expected.x), static_cast<int>(expected.y)));
  EXPECT_FALSE(host_.presses[1].right);
}

TEST_F(NoteWindowTest, BodyFileAndDefaultFont) {
  NoteWindowWin note(host_, clock_, false);
  wchar_t temp[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, temp);
  // A non-ASCII name checks the UTF-8 path on its way to the W functions; Wine can only
  // create one when its Unix locale is a UTF-8 one that is installed.
  std::string path = Narrow(temp) + "nota\xC3\xA7\xC3\xA3o_test.vmb";  // "notação"
  {
    const HANDLE probe = CreateFileW(Widen(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                     FILE_ATTRIBUTE_NORMAL, nullptr);
    if (probe == INVALID_HANDLE_VALUE) {
      path = Narrow(temp) + "notacao_test.vmb";
    } else {
      CloseHandle(probe);
    }
  }

  note.ApplyDefaultFont({"Tahoma", "12", true, false, true});
  note.Body()->SetSelText(L"Lembrete");
  note.Body()->SetSelStart(0);
  note.Body()->SetSelLength(8);
  const RichTextBody& body = *note.Body();
  EXPECT_EQ(std::tuple(body.SelFontName().value_or(L""), body.SelFontSize().value_or(0),
                       body.SelBold(), body.SelItalic(), body.SelUnderline()),
            std::tuple(L"Tahoma", 12.0, true, false, true));
  ASSERT_TRUE(note.SaveBody(path));

  NoteWindowWin other(host_, clock_, false);
  ASSERT_TRUE(other.LoadBody(path));
  EXPECT_EQ(other.Body()->Text(), L"Lembrete");
  DeleteFileW(Widen(path).c_str());

  // A size that is not a number falls back to 10 points.
  NoteWindowWin third(host_, clock_, false);
  third.ApplyDefaultFont({"Arial", "grande", false, false, false});
  EXPECT_DOUBLE_EQ(third.Body()->SelFontSize().value_or(0), 10.0);
}

std::wstring ClipboardText() {
  std::wstring text;
  if (!OpenClipboard(nullptr)) return text;
  if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
    if (const auto* chars = static_cast<const wchar_t*>(GlobalLock(data))) {
      text = chars;
      GlobalUnlock(data);
    }
  }
  CloseClipboard();
  return text;
}

// The note menu's editing commands through the real RichEdit and the real clipboard.
TEST_F(NoteWindowTest, EditingCommandsUseTheBodyAndTheClipboard) {
  NoteWindowWin note(host_, clock_, false);
  RichTextBody& body = *note.Body();
  body.SetSelText(L"um dois tr\u00EAs");

  note.EditBody(NoteWindow::BodyEdit::kSelectAll);
  EXPECT_EQ(note.SelectionLength(), 12);
  note.EditBody(NoteWindow::BodyEdit::kCopy);
  EXPECT_EQ(ClipboardText(), L"um dois tr\u00EAs");

  body.SetSelStart(3);
  body.SetSelLength(5);  // "dois "
  note.EditBody(NoteWindow::BodyEdit::kCut);
  EXPECT_EQ(body.Text(), L"um tr\u00EAs");
  EXPECT_EQ(ClipboardText(), L"dois ");

  body.SetSelStart(0);
  body.SetSelLength(0);
  note.EditBody(NoteWindow::BodyEdit::kPaste);
  EXPECT_EQ(body.Text(), L"dois um tr\u00EAs");

  note.EditBody(NoteWindow::BodyEdit::kUndo);
  EXPECT_EQ(body.Text(), L"um tr\u00EAs");
}

// The name a screen reader announces for `window`, through the system's accessibility objects.
std::wstring AccessibleName(HWND window) {
  IAccessible* object = nullptr;
  // __uuidof: the IID_IAccessible of the import library is the address of a data import.
  if (FAILED(AccessibleObjectFromWindow(window, static_cast<DWORD>(OBJID_CLIENT),
                                        __uuidof(IAccessible), reinterpret_cast<void**>(&object)))) {
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
    const HWND box = CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(dialog),
                                        nullptr, plain, 0);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(AccessibleName(GetDlgItem(box, edit)), Widen(label)) << dialog;
    DestroyWindow(box);
  }
}

}  // namespace
}  // namespace velumbrino
