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
#include "platform/twips_layout_win.h"
#include "platform/wide_string_win.h"
#include "ui_strings.h"

namespace velumbrino {
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

constexpr UINT_PTR kAutosaveTimer = 3;
constexpr UINT_PTR kAlarmCheckTimer = 4;  // tmrEvent
constexpr UINT_PTR kBlinkTimer = 5;       // Piscar
constexpr UINT_PTR kPinTool = 1;
constexpr UINT_PTR kHideTool = 2;
const std::wstring kPinTip = Widen(TXT_TIP_PIN);
const std::wstring kHideTip = Widen(TXT_TIP_HIDE);
// Keeps absurd stored positions within what window coordinates can hold.
constexpr int kMaxCoordinate = 30000;

COLORREF ToColorRef(Color color) { return static_cast<COLORREF>(color & 0x00FFFFFF); }

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

RECT ToRect(const LayoutRect& r) { return {r.left, r.top, r.left + r.width, r.top + r.height}; }

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

BOOL CALLBACK CollectWorkArea(HMONITOR monitor, HDC, LPRECT, LPARAM data) {
  MONITORINFO info{};
  info.cbSize = sizeof info;
  if (GetMonitorInfoW(monitor, &info)) {
    reinterpret_cast<std::vector<ScreenRect>*>(data)->push_back(
        {info.rcWork.left, info.rcWork.top, info.rcWork.right, info.rcWork.bottom});
  }
  return TRUE;
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
    TTTOOLINFOW tool{};
    tool.cbSize = TTTOOLINFOW_V2_SIZE;  // understood by every comctl32 version
    tool.uFlags = TTF_SUBCLASS;
    tool.hwnd = hwnd();
    tool.uId = id;
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

RECT NoteWindowWin::PartRect(Part part) const {
  switch (part) {
    case Part::kPin:
      return ToRect(layout_.pin);
    case Part::kHideButton:
      return ToRect(layout_.hide_button);
    case Part::kBackground:
      break;
  }
  return {0, 0, layout_.width, layout_.height};
}

NoteWindowWin::Part NoteWindowWin::HitPart(POINT client) const {
  for (Part part : {Part::kHideButton, Part::kPin}) {
    const RECT rect = PartRect(part);
    if (PtInRect(&rect, client)) return part;
  }
  return Part::kBackground;
}

void NoteWindowWin::SetPinPicture(NotePicture picture) {
  if (pin_picture_ == picture) return;
  pin_picture_ = picture;
  const RECT rect = PartRect(Part::kPin);
  if (hwnd()) InvalidateRect(hwnd(), &rect, FALSE);
}

void NoteWindowWin::SetHidePicture(NotePicture picture) {
  if (hide_picture_ == picture) return;
  hide_picture_ = picture;
  const RECT rect = PartRect(Part::kHideButton);
  if (hwnd()) InvalidateRect(hwnd(), &rect, FALSE);
}

void NoteWindowWin::OnMouseOver(Part part) {
  // The pressed pin (pinned) never changes on hover; the others follow the pointer.
  SetHidePicture(part == Part::kHideButton ? NotePicture::kImage1 : NotePicture::kImage2);
  if (part == Part::kPin) {
    if (pin_picture_ == NotePicture::kImHot) SetPinPicture(NotePicture::kImUp);
  } else if (pin_picture_ == NotePicture::kImUp) {
    SetPinPicture(NotePicture::kImHot);
  }
}

void NoteWindowWin::Paint() {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(hwnd(), &ps);
  if (!dc) return;
  // Drawn off screen first so hover changes do not flicker.
  memory_dc memory(dc);
  unique_bitmap canvas(CreateCompatibleBitmap(dc, layout_.width, layout_.height));
  if (memory.get() && canvas) {
    scoped_select select_canvas(memory.get(), canvas.get());
    const HDC target = memory.get();
    const RECT all{0, 0, layout_.width, layout_.height};
    unique_brush ground(CreateSolidBrush(ToColorRef(back_color_)));
    FillRect(target, &all, ground.get());

    RECT title = ToRect(layout_.title);
    const std::wstring text = Widen(title_);
    scoped_select select_font(target,
                              title_font_ ? title_font_ : GetStockObject(DEFAULT_GUI_FONT));
    SetBkMode(target, TRANSPARENT);
    SetTextColor(target, GetSysColor(COLOR_WINDOWTEXT));
    DrawTextW(target, text.c_str(), static_cast<int>(text.size()), &title,
              DT_LEFT | DT_TOP | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);

    DrawNotePicture(target, pin_picture_, PartRect(Part::kPin), ToColorRef(back_color_));
    DrawNotePicture(target, hide_picture_, PartRect(Part::kHideButton), ToColorRef(back_color_));
    BitBlt(dc, ps.rcPaint.left, ps.rcPaint.top, ps.rcPaint.right - ps.rcPaint.left,
           ps.rcPaint.bottom - ps.rcPaint.top, target, ps.rcPaint.left, ps.rcPaint.top, SRCCOPY);
  }
  EndPaint(hwnd(), &ps);
}

void NoteWindowWin::DragWindow(UINT button_message) {
  RECT before{};
  GetWindowRect(hwnd(), &before);
  if (button_message != WM_LBUTTONDOWN) {
    // The system's move loop ends only on a left release: started from another button it
    // would leave the note stuck to the pointer. Those buttons drag until their own release.
    POINT cursor{};
    GetCursorPos(&cursor);
    manual_drag_ = ManualDrag{button_message == WM_RBUTTONDOWN ? UINT{WM_RBUTTONUP} : UINT{WM_MBUTTONUP},
                              cursor.x - before.left,
                              cursor.y - before.top,
                              {before.left, before.top}};
    SetCapture(hwnd());
    return;
  }
  // The system's own move loop, as if the press had been on a caption.
  ReleaseCapture();
  SendMessageW(hwnd(), WM_NCLBUTTONDOWN, HTCAPTION, 0);
  RECT after{};
  if (hwnd() && GetWindowRect(hwnd(), &after) &&
      (after.left != before.left || after.top != before.top)) {
    NoteChanged();
  }
}

void NoteWindowWin::EndManualDrag() {
  if (!manual_drag_) return;
  const POINT start = manual_drag_->start;
  manual_drag_.reset();
  if (GetCapture() == hwnd()) ReleaseCapture();
  RECT after{};
  if (GetWindowRect(hwnd(), &after) && (after.left != start.x || after.top != start.y)) {
    NoteChanged();
  }
}

void NoteWindowWin::OnButtonClick(Part part) {
  if (part == Part::kHideButton) {
    SetVisible(false);
    SetHidePicture(NotePicture::kImage2);
  } else if (part == Part::kPin) {
    host_.PinClicked(*this);
  }
}

void NoteWindowWin::OnBodyMouse(UINT message, LPARAM lparam) {
  if (message == WM_MOUSEMOVE) {
    OnMouseOver(Part::kBackground);
    return;
  }
  // A press that follows the last one quickly at the same spot comes as a double click (the
  // body's class asks for them): a right click soon after the menu closed is a press too.
  const bool right = message == WM_RBUTTONDOWN || message == WM_RBUTTONDBLCLK;
  if (!right && message != WM_LBUTTONDOWN && message != WM_LBUTTONDBLCLK &&
      message != WM_MBUTTONDOWN && message != WM_MBUTTONDBLCLK) {
    return;
  }
  if (!host_.AppReady()) return;
  if (blink_timer_enabled_) host_.StopBlinking(*this);
  POINT point{GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)};
  ClientToScreen(body_->hWnd(), &point);
  // The host may open the note menu here; nothing of this window is touched afterwards.
  host_.BodyPressed(*this, right, point.x, point.y);
}

void NoteWindowWin::OnKeyboardMenu() {
  if (!host_.AppReady()) return;
  // At the caret when it is in view, else at the note's top left corner.
  std::optional<POINT> point = body_ ? body_->CaretScreenPoint() : std::nullopt;
  if (!point) {
    RECT window{};
    GetWindowRect(hwnd(), &window);
    point = POINT{window.left, window.top};
  }
  host_.BodyPressed(*this, true, point->x, point->y);
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
          TTTOOLINFOW tool{};
          tool.cbSize = TTTOOLINFOW_V2_SIZE;
          tool.hwnd = hwnd();
          tool.uId = id;
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
      TTTOOLINFOW tool{};
      tool.cbSize = TTTOOLINFOW_V2_SIZE;
      tool.hwnd = hwnd();
      tool.uId = id;
      tool.rect = PartRect(part);
      SendMessageW(tooltip_, TTM_NEWTOOLRECTW, 0, reinterpret_cast<LPARAM>(&tool));
    }
  }
  ShapeNoteWindow();
  InvalidateRect(hwnd(), nullptr, TRUE);
}

void NoteWindowWin::SetTitle(const std::string& title) {
  if (title == title_) return;
  title_ = title;
  if (!hwnd()) return;
  NotifyWinEvent(EVENT_OBJECT_NAMECHANGE, hwnd(), OBJID_WINDOW, CHILDID_SELF);
  const RECT rect = ToRect(layout_.title);
  InvalidateRect(hwnd(), &rect, FALSE);
  NoteChanged();
}

int NoteWindowWin::Top() const {
  RECT rect{};
  if (!hwnd() || !GetWindowRect(hwnd(), &rect)) return top_memo_ ? top_memo_->twips : 0;
  if (top_memo_ && top_memo_->pixels == rect.top) return top_memo_->twips;
  return PixelsToTwips(rect.top, dpi_);
}

int NoteWindowWin::Left() const {
  RECT rect{};
  if (!hwnd() || !GetWindowRect(hwnd(), &rect)) return left_memo_ ? left_memo_->twips : 0;
  if (left_memo_ && left_memo_->pixels == rect.left) return left_memo_->twips;
  return PixelsToTwips(rect.left, dpi_);
}

void NoteWindowWin::MoveToPixels(std::optional<int> x, std::optional<int> y) {
  RECT rect{};
  if (!hwnd() || !GetWindowRect(hwnd(), &rect)) return;
  SetWindowPos(hwnd(), nullptr, x.value_or(rect.left), y.value_or(rect.top), 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void NoteWindowWin::SetTop(int twips) {
  const int pixels = std::clamp(TwipsToPixels(twips, dpi_), -kMaxCoordinate, kMaxCoordinate);
  MoveToPixels(std::nullopt, pixels);
  top_memo_ = TwipsMemo{twips, pixels};
}

void NoteWindowWin::SetLeft(int twips) {
  const int pixels = std::clamp(TwipsToPixels(twips, dpi_), -kMaxCoordinate, kMaxCoordinate);
  MoveToPixels(pixels, std::nullopt);
  left_memo_ = TwipsMemo{twips, pixels};
}

bool NoteWindowWin::Visible() const { return hwnd() && IsWindowVisible(hwnd()); }

void NoteWindowWin::SetVisible(bool visible) {
  if (!hwnd() || Visible() == visible) return;
  ShowWindow(hwnd(), visible ? SW_SHOW : SW_HIDE);
  NoteChanged();
  if (visible) shown_once_ = true;
}

void NoteWindowWin::SetBackColor(Color color) {
  back_color_ = color & 0x00FFFFFF;
  if (hwnd()) InvalidateRect(hwnd(), nullptr, FALSE);
}

Color NoteWindowWin::BodyColor() const {
  return body_ ? static_cast<Color>(body_->BackColor()) : kClassicBodyColor;
}

void NoteWindowWin::SetBodyColor(Color color) {
  if (body_) body_->SetBackColor(ToColorRef(color));
}

bool NoteWindowWin::LoadBody(const std::string& path) {
  if (!body_) return false;
  ++quiet_changes_;
  const bool loaded = body_->LoadFile(Widen(path));
  --quiet_changes_;
  return loaded;
}

bool NoteWindowWin::SaveBody(const std::string& path) {
  if (!body_ || !body_->SaveFile(Widen(path))) return false;
  body_->SetModified(false);
  return true;
}

bool NoteWindowWin::BodyModified() const { return body_ && body_->Modified(); }

void NoteWindowWin::MarkBodyModified() {
  if (body_) body_->SetModified(true);
}

void NoteWindowWin::ShowBodySetAside(const std::string& explanation) {
  if (!body_) return;
  ++quiet_changes_;
  body_->ShowReadOnlyText(Widen(explanation));
  --quiet_changes_;
}

void NoteWindowWin::ApplyDefaultFont(const DefaultFont& font) {
  if (!body_) return;
  // The font of what will be typed is no change of the body itself.
  const bool modified = body_->Modified();
  ++quiet_changes_;
  body_->SetSelFontSize(ParseFontSize(font.size));
  body_->SetSelFontName(Widen(font.face));
  body_->SetSelBold(font.bold);
  body_->SetSelItalic(font.italic);
  body_->SetSelUnderline(font.underline);
  body_->SetModified(modified);
  --quiet_changes_;
}

void NoteWindowWin::SetOpacity(std::uint8_t alpha) {
  if (!hwnd()) return;
  const LONG_PTR ex_style = GetWindowLongPtrW(hwnd(), GWL_EXSTYLE);
  // An opaque note is not layered at all: a layered window costs more to create and to draw,
  // and most notes are opaque.
  if (alpha == 255) {
    if (ex_style & WS_EX_LAYERED) SetWindowLongPtrW(hwnd(), GWL_EXSTYLE, ex_style & ~WS_EX_LAYERED);
    return;
  }
  SetWindowLongPtrW(hwnd(), GWL_EXSTYLE, ex_style | WS_EX_LAYERED);
  SetLayeredWindowAttributes(hwnd(), 0, alpha, LWA_ALPHA);
}

void NoteWindowWin::ShowPinned() {
  if (!hwnd()) return;
  SetWindowPos(hwnd(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  SetPinPicture(NotePicture::kImDown);
}

void NoteWindowWin::ShowUnpinned() {
  if (!hwnd()) return;
  SetWindowPos(hwnd(), HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  SetPinPicture(NotePicture::kImHot);
}

void NoteWindowWin::KeepOnScreen() {
  RECT rect{};
  if (!hwnd() || !GetWindowRect(hwnd(), &rect)) return;
  std::vector<ScreenRect> work_areas;
  EnumDisplayMonitors(nullptr, nullptr, &CollectWorkArea, reinterpret_cast<LPARAM>(&work_areas));
  ScreenRect primary{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  MONITORINFO info{};
  info.cbSize = sizeof info;
  if (GetMonitorInfoW(MonitorFromPoint({0, 0}, MONITOR_DEFAULTTOPRIMARY), &info)) {
    primary = {info.rcWork.left, info.rcWork.top, info.rcWork.right, info.rcWork.bottom};
  }
  const auto corrected =
      OffScreenCorrection({rect.left, rect.top, rect.right, rect.bottom}, work_areas, primary);
  if (corrected) MoveToPixels(corrected->x, corrected->y);
}

void NoteWindowWin::FocusBody() {
  if (!body_) return;
  // The note becomes the active window, so that what the user types goes to it.
  if (Visible()) SetForegroundWindow(hwnd());
  body_->SetFocus();
}

void NoteWindowWin::EditBody(BodyEdit edit) {
  if (!body_) return;
  HWND body = body_->hWnd();
  // Wine's control does not flag every one of these as a change (a paste, for one): a body
  // they changed must be written back all the same.
  const bool changes = (edit == BodyEdit::kUndo && SendMessageW(body, EM_CANUNDO, 0, 0)) ||
                       (edit == BodyEdit::kCut && body_->SelLength() > 0) ||
                       (edit == BodyEdit::kPaste && SendMessageW(body, EM_CANPASTE, 0, 0));
  if (changes) body_->SetModified(true);
  switch (edit) {
    case BodyEdit::kUndo:
      SendMessageW(body, EM_UNDO, 0, 0);
      break;
    case BodyEdit::kCut:
      SendMessageW(body, WM_CUT, 0, 0);
      break;
    case BodyEdit::kCopy:
      SendMessageW(body, WM_COPY, 0, 0);
      break;
    case BodyEdit::kPaste:
      SendMessageW(body, WM_PASTE, 0, 0);
      break;
    case BodyEdit::kSelectAll:
      body_->SetFocus();
      body_->SetSelStart(0);
      body_->SetSelLength(static_cast<long>(body_->Text().size()));
      break;
  }
}

long NoteWindowWin::SelectionLength() const { return body_ ? body_->SelLength() : 0; }

void NoteWindowWin::ReplaceSelection(const std::string& text) {
  // An edit like typing: the body's change notification starts the autosave.
  if (body_) body_->SetSelText(Widen(text));
}

WindowHandle NoteWindowWin::Handle() const { return hwnd(); }

void NoteWindowWin::SetAlarmTimerEnabled(bool enabled) {
  alarm_timer_enabled_ = enabled;
  if (!hwnd()) return;
  if (enabled) {
    SetTimer(hwnd(), kAlarmCheckTimer, static_cast<UINT>(alarm_interval_ms_), nullptr);
  } else {
    KillTimer(hwnd(), kAlarmCheckTimer);
  }
}

void NoteWindowWin::SetAlarmInterval(int milliseconds) {
  if (milliseconds == alarm_interval_ms_) return;  // a running countdown is not restarted
  alarm_interval_ms_ = milliseconds;
  if (alarm_timer_enabled_) SetAlarmTimerEnabled(true);
}

void NoteWindowWin::SetBlinkTimerEnabled(bool enabled) {
  blink_timer_enabled_ = enabled;
  if (!hwnd()) return;
  if (enabled) {
    SetTimer(hwnd(), kBlinkTimer, static_cast<UINT>(blink_interval_ms_), nullptr);
  } else {
    KillTimer(hwnd(), kBlinkTimer);
  }
}

void NoteWindowWin::SetBlinkInterval(int milliseconds) {
  if (milliseconds == blink_interval_ms_) return;
  blink_interval_ms_ = milliseconds;
  if (blink_timer_enabled_) SetBlinkTimerEnabled(true);
}

void NoteWindowWin::LiftToTopmost() {
  if (!hwnd()) return;
  // Activation is allowed: the note the alarm is about comes to the front.
  SetWindowPos(hwnd(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
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
