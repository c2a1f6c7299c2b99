// The note window's painting and input: its painted buttons, hover pictures, dragging, and
// the presses and keys that open its menu.

#include <windowsx.h>

#include "note/note_pictures_win.h"
#include "note/note_window_parts_win.h"
#include "note/note_window_win.h"
#include "platform/unique_handle.h"
#include "platform/wide_string_win.h"

namespace velumbrino {

using namespace note_window;

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

}  // namespace velumbrino
