#include "note/note_window_win.h"

#include <commctrl.h>
#include <richedit.h>
#include <windowsx.h>

#include <algorithm>
#include <map>
#include <random>
#include <tuple>
#include <utility>
#include <vector>

#include "note/autosave.h"
#include "note/note_window_parts_win.h"
#include "platform/twips_layout_win.h"
#include "platform/wide_string_win.h"
#include "ui_strings.h"

namespace velumbrino {

using namespace note_window;

namespace {

// One tooltip window serves every note: a top-level window per note made creating hundreds
// of notes three times slower under Wine. Not owned by a note, since under Wine an owned
// popup keeps its owner out of the topmost band; it lives until the process ends.
HWND SharedTooltip() {
  static HWND tooltip = CreateWindowExW(
      WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
      CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr,
      GetModuleHandleW(nullptr), nullptr);
  return tooltip;
}

constexpr UINT_PTR kPinTool = 1;
constexpr UINT_PTR kHideTool = 2;
const std::wstring kPinTip = Widen(TXT_TIP_PIN);
const std::wstring kHideTip = Widen(TXT_TIP_HIDE);

// The record that names one of a note's two tips.
TTTOOLINFOW ToolOf(HWND note, UINT_PTR id) {
  TTTOOLINFOW tool{};
  tool.cbSize = TTTOOLINFOW_V2_SIZE;  // understood by every comctl32 version
  tool.hwnd = note;
  tool.uId = id;
  return tool;
}

// The title's Tahoma 8.25 bold at a resolution, made once and shared by every note: a font per
// note cost a GDI object and time for each of hundreds of notes.
HFONT TitleFont(int dpi) {
  static std::map<int, unique_font> fonts;
  unique_font& font = fonts[dpi];
  if (!font) {
    font.reset(CreateFontW(-MulDiv(825, dpi, 7200), 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE,
                           DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                           DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, L"Tahoma"));
  }
  return font.get();
}

// One generator per process, seeded from the time of day when the first note asks: seeding
// again for every note would give notes made within one clock tick the same place.
std::mt19937& PlacementRandom() {
  static std::mt19937 generator = [] {
    SYSTEMTIME now{};
    GetLocalTime(&now);
    const unsigned ms_of_day =
        ((now.wHour * 60u + now.wMinute) * 60u + now.wSecond) * 1000u + now.wMilliseconds;
    return std::mt19937(ms_of_day ^ GetTickCount());
  }();
  return generator;
}

}  // namespace

bool NoteWindowWin::RegisterNoteClass() {
  static const bool registered = [] {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    WNDCLASSEXW wc{};
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = kClassName;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    return RegisterClassOnce(wc);
  }();
  return registered;
}

NoteWindowWin::NoteWindowWin(NoteWindowHost& host, const Clock& clock, bool app_ready)
    : host_(host), clock_(clock) {
  RegisterNoteClass();
  dpi_ = WindowDpi(nullptr);
  layout_ = NoteLayoutForDpi(dpi_);
  // Borderless popup without a taskbar button; hidden until its owner shows it.
  Create(WS_EX_TOOLWINDOW, kClassName, L"", WS_POPUP | WS_CLIPCHILDREN,
         TwipsToPixels(note_design::kLeft, dpi_), TwipsToPixels(note_design::kTop, dpi_),
         layout_.width, layout_.height, nullptr, nullptr);
  if (!hwnd()) return;
  // The window may sit on a monitor with another resolution than the system's.
  const int window_dpi = WindowDpi(hwnd());
  if (window_dpi != dpi_) {
    dpi_ = window_dpi;
    layout_ = NoteLayoutForDpi(dpi_);
    SetWindowPos(hwnd(), nullptr, TwipsToPixels(note_design::kLeft, dpi_),
                 TwipsToPixels(note_design::kTop, dpi_), layout_.width, layout_.height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
  }
  CreateControls();
  OnLoad(app_ready);
}

NoteWindowWin::~NoteWindowWin() {
  // The body goes first, while its parent still exists.
  body_.reset();
}

void NoteWindowWin::CreateControls() {
  body_ = std::make_unique<RichTextBody>(hwnd(), kBodyControlId, ToRect(layout_.body));
  if (HWND body = body_->hWnd()) {
    // Edits start the autosave; mouse events drive the hover pictures and the note menu.
    const LRESULT mask = SendMessageW(body, EM_GETEVENTMASK, 0, 0);
    SendMessageW(body, EM_SETEVENTMASK, 0, mask | ENM_CHANGE | ENM_MOUSEEVENTS);
  }
  title_font_ = TitleFont(dpi_);

  tooltip_ = SharedTooltip();
  if (!tooltip_) return;
  // The buttons are painted parts of this window, so each tip covers a rectangle of it.
  for (const auto& [id, part, text] : {std::tuple{kPinTool, Part::kPin, kPinTip},
                                       std::tuple{kHideTool, Part::kHideButton, kHideTip}}) {
    TTTOOLINFOW tool = ToolOf(hwnd(), id);
    tool.uFlags = TTF_SUBCLASS;
    tool.rect = PartRect(part);
    tool.lpszText = const_cast<wchar_t*>(text.c_str());  // the tooltip keeps its own copy
    SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
  }
}

void NoteWindowWin::OnLoad(bool app_ready) {
  pin_picture_ = NotePicture::kImHot;
  hide_picture_ = NotePicture::kImage2;
  ShapeNoteWindow();
  if (!app_ready) return;
  std::uniform_real_distribution<double> uniform(0.0, 1.0);
  const double r_top = uniform(PlacementRandom());
  const double r_left = uniform(PlacementRandom());
  const TwipsPoint place =
      RandomNotePlacement(r_top, r_left, PixelsToTwips(GetSystemMetrics(SM_CXSCREEN), dpi_),
                          PixelsToTwips(GetSystemMetrics(SM_CYSCREEN), dpi_));
  SetTop(place.top);
  SetLeft(place.left);
  SetTitle(NoteTitle(clock_.Now()));
}

void NoteWindowWin::ShapeNoteWindow() {
  unique_region region(CreateRoundRectRgn(0, 0, layout_.width, layout_.height,
                                          layout_.corner_ellipse, layout_.corner_ellipse));
  // On success the system owns the region; on failure the window stays rectangular.
  if (region && SetWindowRgn(hwnd(), region.get(), TRUE)) region.release();
}

void NoteWindowWin::NoteChanged() {
  // Changes made while start-up fills a window that was never shown are not the user's.
  if (!hwnd() || (!host_.AppReady() && !shown_once_)) return;
  // Re-arming the one-shot timer: the save comes after the last of a burst of changes, or
  // at the latest some seconds after its first one.
  const ULONGLONG now = GetTickCount64();
  if (!first_unsaved_change_) first_unsaved_change_ = now;
  SetTimer(hwnd(), kAutosaveTimer, AutosaveDelayMs(now - *first_unsaved_change_), nullptr);
}

bool NoteWindowWin::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam, LRESULT& result) {
  switch (message) {
    case WM_ERASEBKGND:
      result = 1;  // all painting happens in WM_PAINT
      return true;
    case WM_PAINT:
      Paint();
      return true;
    case WM_SETCURSOR:
      if (reinterpret_cast<HWND>(wparam) == hwnd() && LOWORD(lparam) == HTCLIENT) {
        POINT point{};
        GetCursorPos(&point);
        ScreenToClient(hwnd(), &point);
        const bool on_button = HitPart(point) != Part::kBackground;
        SetCursor(LoadCursorW(nullptr, on_button ? IDC_HAND : IDC_ARROW));
        result = TRUE;
        return true;
      }
      return false;
    case WM_MOUSEMOVE:
      if (manual_drag_) {
        POINT cursor{};
        GetCursorPos(&cursor);
        MoveToPixels(cursor.x - manual_drag_->offset_x, cursor.y - manual_drag_->offset_y);
        result = 0;
        return true;
      }
      OnMouseOver(HitPart({GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)}));
      result = 0;
      return true;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN: {
      result = 0;
      if (manual_drag_) return true;  // one drag at a time
      const Part part = HitPart({GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)});
      if (part == Part::kBackground) {
        DragWindow(message);  // the title is painted on the background, so it drags too
      } else if (message == WM_LBUTTONDOWN) {
        // A button clicks on release over the same button, like any push button.
        pressed_part_ = part;
        SetCapture(hwnd());
      }
      result = 0;
      return true;
    }
    case WM_LBUTTONUP: {
      if (!pressed_part_) return false;
      const Part pressed = *pressed_part_;
      pressed_part_.reset();
      ReleaseCapture();
      if (HitPart({GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)}) == pressed) {
        OnButtonClick(pressed);
      }
      result = 0;
      return true;
    }
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
      if (!manual_drag_ || manual_drag_->release_message != message) return false;
      EndManualDrag();
      result = 0;
      return true;
    case WM_CAPTURECHANGED:
      pressed_part_.reset();
      EndManualDrag();
      return false;
    case WM_NOTIFY: {
      const auto* header = reinterpret_cast<const NMHDR*>(lparam);
      if (body_ && header->hwndFrom == body_->hWnd() && header->code == EN_MSGFILTER) {
        const auto* filter = reinterpret_cast<const MSGFILTER*>(lparam);
        const UINT filtered = filter->msg;
        const LPARAM point = filter->lParam;
        result = 0;  // the body handles the event as usual
        OnBodyMouse(filtered, point);
        return true;
      }
      return false;
    }
    case WM_CONTEXTMENU:
      // From the body (which passes it up) or the note itself. The right click has opened the
      // menu on its press already; only the keyboard's Shift+F10 or Menu key (at -1, -1)
      // opens it here.
      if (GET_X_LPARAM(lparam) == -1 && GET_Y_LPARAM(lparam) == -1) OnKeyboardMenu();
      result = 0;
      return true;
    case WM_COMMAND:
      if (body_ && reinterpret_cast<HWND>(lparam) == body_->hWnd() && HIWORD(wparam) == EN_CHANGE) {
        if (quiet_changes_ == 0) NoteChanged();
        result = 0;
        return true;
      }
      return false;
    case WM_TIMER:
      if (wparam == kAutosaveTimer) {
        KillTimer(hwnd(), kAutosaveTimer);
        first_unsaved_change_.reset();
        host_.NoteNeedsSave(*this);
        result = 0;
        return true;
      }
      if (wparam == kAlarmCheckTimer) {
        host_.AlarmCheckTick(*this);
        result = 0;
        return true;
      }
      if (wparam == kBlinkTimer) {
        host_.BlinkTick(*this);
        result = 0;
        return true;
      }
      return false;
    case WM_CLOSE:
      // A note has no close button; Alt+F4 or a close request hides it like its own button,
      // so the window and its data stay until the note is deleted or the program ends.
      SetVisible(false);
      result = 0;
      return true;
    case WM_DESTROY:
      if (tooltip_) {
        for (UINT_PTR id : {kPinTool, kHideTool}) {
          TTTOOLINFOW tool = ToolOf(hwnd(), id);
          SendMessageW(tooltip_, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
        }
      }
      tooltip_ = nullptr;
      return false;
    case WM_DPICHANGED:
      ApplyDpi(HIWORD(wparam), *reinterpret_cast<const RECT*>(lparam));
      result = 0;
      return true;
    // Screen readers ask the window for its text: the note's title, so the note is announced
    // by it, its body within. Kept out of the system's own window text: no caption draws it,
    // and nothing that looks windows up by title should ever find a note.
    case WM_GETTEXTLENGTH:
      result = static_cast<LRESULT>(Widen(title_).size());
      return true;
    case WM_GETTEXT: {
      const std::wstring text = Widen(title_);
      auto* buffer = reinterpret_cast<wchar_t*>(lparam);
      const size_t count = buffer && wparam > 0 ? std::min(text.size(), wparam - 1) : 0;
      if (buffer && wparam > 0) buffer[text.copy(buffer, count)] = L'\0';
      result = static_cast<LRESULT>(count);
      return true;
    }
    default:
      return false;
  }
}

void NoteWindowWin::ApplyDpi(int dpi, const RECT& suggested) {
  dpi_ = dpi > 0 ? dpi : 96;
  layout_ = NoteLayoutForDpi(dpi_);
  top_memo_.reset();
  left_memo_.reset();
  SetWindowPos(hwnd(), nullptr, suggested.left, suggested.top, layout_.width, layout_.height,
               SWP_NOZORDER | SWP_NOACTIVATE);
  if (body_ && body_->hWnd()) {
    MoveWindow(body_->hWnd(), layout_.body.left, layout_.body.top, layout_.body.width,
               layout_.body.height, TRUE);
  }
  title_font_ = TitleFont(dpi_);
  if (tooltip_) {
    for (const auto& [id, part] :
         {std::pair{kPinTool, Part::kPin}, std::pair{kHideTool, Part::kHideButton}}) {
      TTTOOLINFOW tool = ToolOf(hwnd(), id);
      tool.rect = PartRect(part);
      SendMessageW(tooltip_, TTM_NEWTOOLRECTW, 0, reinterpret_cast<LPARAM>(&tool));
    }
  }
  ShapeNoteWindow();
  InvalidateRect(hwnd(), nullptr, TRUE);
}

void NoteWindowWin::Close() {
  host_.NoteClosing(*this);
  if (hwnd()) {
    KillTimer(hwnd(), kAlarmCheckTimer);
    KillTimer(hwnd(), kBlinkTimer);
  }
  body_.reset();
  if (hwnd()) DestroyWindow(hwnd());
}

std::unique_ptr<NoteWindow> NoteWindowFactoryWin::CreateNoteWindow(bool app_ready) {
  return std::make_unique<NoteWindowWin>(host_, clock_, app_ready);
}

}  // namespace velumbrino
