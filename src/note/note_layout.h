#pragma once
// Geometry of a note window at the screen's real resolution: the controls' places, where a
// new note lands, its date-and-time title, and keeping a note on screen.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/twips.h"
#include "store/clock.h"

namespace velumbrino {

struct LayoutRect {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  friend bool operator==(const LayoutRect&, const LayoutRect&) = default;
};

LayoutRect TwipsRectToPixels(const LayoutRect& twips, int dpi);

// The note window's design, in twips relative to its client area (the whole window).
namespace note_design {
inline constexpr int kClientWidth = 2760;
inline constexpr int kClientHeight = 2880;
inline constexpr int kLeft = 4140;  // where the window is created
inline constexpr int kTop = 3510;
inline constexpr LayoutRect kTitle{105, 75, 2010, 225};
inline constexpr LayoutRect kBody{30, 300, 2700, 2550};
inline constexpr LayoutRect kPin{2175, 60, 255, 240};
inline constexpr LayoutRect kHideButton{2430, 45, 255, 240};
inline constexpr int kCornerEllipseAt96Dpi = 15;  // pixels
// A new note keeps this much room to the right and below its top left corner.
inline constexpr int kPlacementMarginWidth = 3000;
inline constexpr int kPlacementMarginHeight = 3500;
}  // namespace note_design

// Pixel layout of a note window at a resolution.
struct NoteLayout {
  int width = 0;  // client = window size
  int height = 0;
  LayoutRect title;
  LayoutRect body;
  LayoutRect pin;
  LayoutRect hide_button;
  int corner_ellipse = 0;
};
NoteLayout NoteLayoutForDpi(int dpi);

struct TwipsPoint {
  int left = 0;
  int top = 0;
  friend bool operator==(const TwipsPoint&, const TwipsPoint&) = default;
};

// Where a new note goes: r_top and r_left are uniform in [0, 1). The whole part of
// r x (screen size - margin); a screen smaller than the margin gives 0.
TwipsPoint RandomNotePlacement(double r_top, double r_left, int screen_width_twips,
                               int screen_height_twips);

// A new note's title: "dd/mmm - hh:mm" with the program's own Portuguese month
// abbreviations, whatever the system's language ("03/mar - 09:05"); see store/date_text.h.
std::string NoteTitle(const LocalTime& time);

// Screen rectangle in pixels, right and bottom exclusive.
struct ScreenRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
  friend bool operator==(const ScreenRect&, const ScreenRect&) = default;
};

struct ScreenPoint {
  int x = 0;
  int y = 0;
  friend bool operator==(const ScreenPoint&, const ScreenPoint&) = default;
};

// When `window` shares no pixel with any work area (a monitor was removed, or the stored
// position came from a larger desktop), the top left corner that puts it inside `primary`,
// as near to where it was as fits; otherwise nullopt.
std::optional<ScreenPoint> OffScreenCorrection(const ScreenRect& window,
                                               const std::vector<ScreenRect>& work_areas,
                                               const ScreenRect& primary);

// The stored default font size as points: a positive number ("10", "9.75" or "9,75");
// anything else gives 10.
double ParseFontSize(std::string_view stored);

}  // namespace velumbrino
