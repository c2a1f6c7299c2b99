#include "note/note_layout.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>

#include "store/date_text.h"
#include "store/text_utils.h"

namespace velumbrino {
namespace {

int PlacementCoordinate(double r, int available) {
  if (available <= 0) return 0;
  if (!(r >= 0.0)) r = 0.0;  // also catches NaN
  if (r >= 1.0) r = std::nextafter(1.0, 0.0);
  return static_cast<int>(std::floor(r * available));
}

bool Overlaps(const ScreenRect& a, const ScreenRect& b) {
  return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

int ClampInto(int start, int size, int area_start, int area_end) {
  // A window larger than the area keeps its top or left edge visible.
  if (start + size > area_end) start = area_end - size;
  return std::max(start, area_start);
}

}  // namespace

LayoutRect TwipsRectToPixels(const LayoutRect& twips, int dpi) {
  return {TwipsToPixels(twips.left, dpi), TwipsToPixels(twips.top, dpi),
          TwipsToPixels(twips.width, dpi), TwipsToPixels(twips.height, dpi)};
}

NoteLayout NoteLayoutForDpi(int dpi) {
  NoteLayout layout;
  layout.width = TwipsToPixels(note_design::kClientWidth, dpi);
  layout.height = TwipsToPixels(note_design::kClientHeight, dpi);
  layout.title = TwipsRectToPixels(note_design::kTitle, dpi);
  layout.body = TwipsRectToPixels(note_design::kBody, dpi);
  layout.pin = TwipsRectToPixels(note_design::kPin, dpi);
  layout.hide_button = TwipsRectToPixels(note_design::kHideButton, dpi);
  layout.corner_ellipse =
      MultiplyDivideRoundHalfEven(note_design::kCornerEllipseAt96Dpi, SafeDpi(dpi), 96);
  return layout;
}

TwipsPoint RandomNotePlacement(double r_top, double r_left, int screen_width_twips,
                               int screen_height_twips) {
  TwipsPoint point;
  point.top = PlacementCoordinate(r_top, screen_height_twips - note_design::kPlacementMarginHeight);
  point.left = PlacementCoordinate(r_left, screen_width_twips - note_design::kPlacementMarginWidth);
  return point;
}

std::string NoteTitle(const LocalTime& time) { return DayMonthAndTimeText(time); }

std::optional<ScreenPoint> OffScreenCorrection(const ScreenRect& window,
                                               const std::vector<ScreenRect>& work_areas,
                                               const ScreenRect& primary) {
  for (const ScreenRect& area : work_areas) {
    if (Overlaps(window, area)) return std::nullopt;
  }
  const int width = window.right - window.left;
  const int height = window.bottom - window.top;
  return ScreenPoint{ClampInto(window.left, width, primary.left, primary.right),
                     ClampInto(window.top, height, primary.top, primary.bottom)};
}

double ParseFontSize(std::string_view stored) {
  // Blanks around the number are allowed, nothing else.
  std::string text(Trim(stored));
  if (text.empty()) return 10.0;
  std::replace(text.begin(), text.end(), ',', '.');
  double value = 0.0;
  int consumed = 0;
  if (std::sscanf(text.c_str(), "%lf%n", &value, &consumed) != 1 ||
      consumed != static_cast<int>(text.size())) {
    return 10.0;
  }
  // RichEdit takes sizes below 1638 points; zero, negative and absurd sizes are not fonts.
  if (!(value >= 1.0 && value <= 1638.0)) return 10.0;
  return value;
}

}  // namespace velumbrino
