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

using win_test::Pump;

class FakeHost : public NoteWindowHost {
 public:
  struct Press {
    NoteWindow* note;
    bool right;
    int x;
    int y;
  };
  bool ready = true;
  std::vector<Press> presses;
  std::vector<NoteWindow*> pin_clicks;
  std::vector<NoteWindow*> saves;

  bool AppReady() const override { return ready; }
  void BodyPressed(NoteWindow& note, bool right, int x, int y) override {
    presses.push_back({&note, right, x, y});
  }
  void PinClicked(NoteWindow& note) override { pin_clicks.push_back(&note); }
  void NoteNeedsSave(NoteWindow& note) override { saves.push_back(&note); }
};

LPARAM ClientPoint(const LayoutRect& r) {
  return MAKELPARAM(r.left + r.width / 2, r.top + r.height / 2);
}

// Pin band, opacity and dragging are covered end to end.

// A press and release of a mouse button on `window`, at `down` and `up`.
void Click(HWND window, bool right, LPARAM down, LPARAM up) {
  SendMessageW(window, right ? WM_RBUTTONDOWN : WM_LBUTTONDOWN, right ? MK_RBUTTON : MK_LBUTTON,
               down);
  SendMessageW(window, right ? WM_RBUTTONUP : WM_LBUTTONUP, 0, up);
}

int TwipsPerPixel(const NoteWindowWin& note) { return (1440 + note.Dpi() - 1) / note.Dpi(); }

class NoteWindowTest : public testing::Test {
 protected:
  FakeHost host_;
  win_test::StandingClock clock_{{2024, 3, 3, 9, 5, 30}};
};

TEST_F(NoteWindowTest, RestoredWindowIsABorderlessRoundedToolWindow) {
  host_.ready = false;
  NoteWindowWin note(host_, clock_, false);
  const HWND hwnd = note.hwnd();
  ASSERT_NE(hwnd, nullptr);
  wchar_t class_name[32] = {};
  GetClassNameW(hwnd, class_name, 32);
  EXPECT_STREQ(class_name, L"frmNote");
  EXPECT_EQ(GetWindowTextLengthW(hwnd), 0);
  EXPECT_FALSE(note.Visible());
  const LONG_PTR style = GetWindowLongPtrW(hwnd, GWL_STYLE);
  const LONG_PTR ex_style = GetWindowLongPtrW(hwnd, GWL_EXSTYLE);
  EXPECT_TRUE(style & WS_POPUP);
  EXPECT_EQ(style & (WS_CAPTION | WS_THICKFRAME), 0);
  EXPECT_EQ(ex_style & (WS_EX_TOOLWINDOW | WS_EX_APPWINDOW), WS_EX_TOOLWINDOW);

  // Size from the real resolution; the client area is the whole window; the body is a child
  // in its place.
  const NoteLayout layout = NoteLayoutForDpi(note.Dpi());
  RECT window{}, client{}, body{};
  GetWindowRect(hwnd, &window);
  GetClientRect(hwnd, &client);
  ASSERT_NE(note.Body(), nullptr);
  GetWindowRect(note.Body()->hWnd(), &body);
  MapWindowPoints(nullptr, hwnd, reinterpret_cast<POINT*>(&body), 2);
  EXPECT_EQ(
      (std::vector<LONG>{window.right - window.left, window.bottom - window.top, client.right,
                         client.bottom, body.left, body.top, body.right - body.left,
                         body.bottom - body.top}),
      (std::vector<LONG>{layout.width, layout.height, layout.width, layout.height, layout.body.left,
                         layout.body.top, layout.body.width, layout.body.height}));

  // Rounded outline: the corners are cut, the middle and the edges' centres are in.
  HRGN region = CreateRectRgn(0, 0, 0, 0);
  ASSERT_NE(GetWindowRgn(hwnd, region), ERROR);
  const struct {
    int x, y;
    bool in;
  } points[] = {{0, 0, false},
                {layout.width - 1, 0, false},
                {0, layout.height - 2, false},
                {layout.width / 2, layout.height / 2, true},
                {layout.width / 2, 0, true},
                {0, layout.height / 2, true}};
  for (const auto& p : points) EXPECT_EQ(!!PtInRegion(region, p.x, p.y), p.in) << p.x << "," << p.y;
  DeleteObject(region);

  // A restored window keeps its design place and no title until start-up fills it.
  EXPECT_NEAR(note.Left(), 4140, TwipsPerPixel(note));
  EXPECT_NEAR(note.Top(), 3510, TwipsPerPixel(note));
  EXPECT_EQ(note.Title(), "");
  EXPECT_EQ(std::tuple(note.BackColor(), note.BodyColor(), note.PinPicture(), note.HidePicture(),
                       note.AlarmTimerEnabled()),
            std::tuple(kClassicWindowColor, kClassicBodyColor, NotePicture::kImHot,
                       NotePicture::kImage2, false));

  // One tip per button, with the exact texts (the tooltip window serves every note).
  ASSERT_NE(note.Tooltip(), nullptr);
  std::vector<std::wstring> tips;
  const auto count = SendMessageW(note.Tooltip(), TTM_GETTOOLCOUNT, 0, 0);
  for (int i = 0; i < count; ++i) {
    wchar_t text[80] = {};
    TTTOOLINFOW tool{};
    tool.cbSize = TTTOOLINFOW_V2_SIZE;
    tool.lpszText = text;
    if (SendMessageW(note.Tooltip(), TTM_ENUMTOOLSW, i, reinterpret_cast<LPARAM>(&tool)) &&
        tool.hwnd == note.hwnd()) {
      tips.push_back(text);
    }
  }
  EXPECT_EQ(tips, (std::vector<std::wstring>{L"Sempre Vis\u00EDvel", L"Ocutar Nota"}));
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

TEST_F(NoteWindowTest, HoverPicturesAndButtonClicks) {
  NoteWindowWin note(host_, clock_, false);
  note.SetVisible(true);
  const NoteLayout layout = NoteLayoutForDpi(note.Dpi());
  const HWND hwnd = note.hwnd();
  const LPARAM pin = ClientPoint(layout.pin), hide = ClientPoint(layout.hide_button);
  auto pictures = [&] { return std::pair(note.PinPicture(), note.HidePicture()); };

  SendMessageW(hwnd, WM_MOUSEMOVE, 0, pin);
  EXPECT_EQ(pictures(), std::pair(NotePicture::kImUp, NotePicture::kImage2));
  SendMessageW(hwnd, WM_MOUSEMOVE, 0, hide);
  EXPECT_EQ(pictures(), std::pair(NotePicture::kImHot, NotePicture::kImage1));
  // Over the body (through the body's mouse notifications) both are normal again.
  SendMessageW(note.Body()->hWnd(), WM_MOUSEMOVE, 0, MAKELPARAM(20, 20));
  EXPECT_EQ(note.HidePicture(), NotePicture::kImage2);
  SendMessageW(hwnd, WM_MOUSEMOVE, 0, pin);
  SendMessageW(hwnd, WM_MOUSEMOVE, 0, MAKELPARAM(layout.width / 2, 2));
  EXPECT_EQ(note.PinPicture(), NotePicture::kImHot);
  // The pressed pin ignores hovering.
  note.ShowPinned();
  for (LPARAM point : {pin, hide}) {
    SendMessageW(hwnd, WM_MOUSEMOVE, 0, point);
    EXPECT_EQ(note.PinPicture(), NotePicture::kImDown);
  }

  // Pin click goes to the program; a release elsewhere is no click.
  Click(hwnd, false, pin, MAKELPARAM(layout.width / 2, layout.height / 2));
  EXPECT_TRUE(host_.pin_clicks.empty());
  Click(hwnd, false, pin, pin);
  EXPECT_EQ(host_.pin_clicks, std::vector<NoteWindow*>{&note});

  // Hide click: hidden, hide button normal again, nothing asked of the program.
  Click(hwnd, false, hide, hide);
  EXPECT_FALSE(note.Visible());
  EXPECT_EQ(note.HidePicture(), NotePicture::kImage2);
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

TEST_F(NoteWindowTest, AutosaveFollowsUserChangesOnly) {
  // Filled by start-up before it was ever shown: not the user's change.
  host_.ready = false;
  NoteWindowWin restored(host_, clock_, false);
  restored.SetTitle("Guardada");
  restored.SetTop(1500);

  host_.ready = true;
  NoteWindowWin typed(host_, clock_, false);
  typed.SetVisible(true);
  Pump(2600);
  host_.saves.clear();

  // A burst of typing gives one save, about two seconds after the last key.
  for (wchar_t c : std::wstring(L"ola")) {
    SendMessageW(typed.Body()->hWnd(), WM_CHAR, c, 1);
  }
  Pump(1000);
  EXPECT_TRUE(host_.saves.empty());
  Pump(3000, [&] { return !host_.saves.empty(); });
  ASSERT_EQ(host_.saves.size(), 1u);
  EXPECT_EQ(host_.saves[0], &typed);
  Pump(300);
  EXPECT_EQ(host_.saves.size(), 1u);
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
  EXPECT_FALSE(other.LoadBody(path + ".missing"));
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
