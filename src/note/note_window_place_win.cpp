// The note window's place, visibility, colours, opacity, pin and timers.

#include <algorithm>
#include <vector>

#include "note/note_window_parts_win.h"
#include "note/note_window_win.h"
#include "platform/twips_layout_win.h"

namespace velumbrino {

using namespace note_window;

namespace {

// Keeps absurd stored positions within what window coordinates can hold.
constexpr int kMaxCoordinate = 30000;

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

void NoteWindowWin::LiftToTopmost() {
  if (!hwnd()) return;
  // Activation is allowed: the note the alarm is about comes to the front.
  SetWindowPos(hwnd(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

void NoteWindowWin::SetAlarmTimerEnabled(bool enabled) {
  alarm_timer_enabled_ = enabled;
  SetRepeatingTimer(hwnd(), kAlarmCheckTimer, enabled, alarm_interval_ms_);
}

void NoteWindowWin::SetAlarmInterval(int milliseconds) {
  if (milliseconds == alarm_interval_ms_) return;  // a running countdown is not restarted
  alarm_interval_ms_ = milliseconds;
  if (alarm_timer_enabled_) SetAlarmTimerEnabled(true);
}

void NoteWindowWin::SetBlinkTimerEnabled(bool enabled) {
  blink_timer_enabled_ = enabled;
  SetRepeatingTimer(hwnd(), kBlinkTimer, enabled, blink_interval_ms_);
}

void NoteWindowWin::SetBlinkInterval(int milliseconds) {
  if (milliseconds == blink_interval_ms_) return;
  blink_interval_ms_ = milliseconds;
  if (blink_timer_enabled_) SetBlinkTimerEnabled(true);
}

}  // namespace velumbrino
