#include "note/note_layout.h"

#include <gtest/gtest.h>

#include <tuple>
#include <utility>
#include <vector>

#include "note/note_style.h"

namespace velumbrino {
namespace {

TEST(NoteLayoutTest, TwipsConvertWithTheRealResolution) {
  // 96 dpi: 15 twips a pixel; 120 dpi: 12; 144 dpi: 10.
  EXPECT_EQ((std::vector{PixelsToTwips(345, 96), PixelsToTwips(431, 120), PixelsToTwips(-10, 144)}),
            (std::vector{5175, 5172, -100}));
  // Halves go to the even neighbour (7.5 -> 8, 22.5 -> 22); 118.75 -> 119. A resolution that
  // could not be read (0) counts as the usual 96.
  const struct {
    int twips, dpi, pixels;
  } cases[] = {{2760, 96, 184}, {2880, 96, 192},  {2760, 120, 230}, {2880, 144, 288},
               {45, 96, 3},     {1425, 120, 119}, {90, 120, 8},     {270, 120, 22},
               {-90, 120, -8},  {-270, 120, -22}, {150, 0, 10}};
  for (const auto& c : cases) EXPECT_EQ(TwipsToPixels(c.twips, c.dpi), c.pixels) << c.twips;
}

// The size and the buttons' places at 96 dpi are those the end-to-end tests click.
TEST(NoteLayoutTest, ControlsAtEachResolution) {
  // Rounding at 144 dpi: 217.5 -> 218, 25.5 -> 26, 22.5 -> 22.
  const NoteLayout at144 = NoteLayoutForDpi(144);
  EXPECT_EQ(at144.pin, (LayoutRect{218, 6, 26, 24}));
  EXPECT_EQ(at144.corner_ellipse, 22);
  // The body and both buttons stay inside the window at every resolution.
  for (int dpi : {96, 120, 144, 192}) {
    const NoteLayout layout = NoteLayoutForDpi(dpi);
    for (const LayoutRect& r : {layout.body, layout.pin, layout.hide_button, layout.title}) {
      EXPECT_LE(r.left + r.width, layout.width) << dpi;
      EXPECT_LE(r.top + r.height, layout.height) << dpi;
    }
  }
}

TEST(NoteLayoutTest, NewNotePlacementStaysWithinTheScreen) {
  // 1280 x 800 pixels at 96 dpi = 19200 x 12000 twips.
  EXPECT_EQ(RandomNotePlacement(0.0, 0.0, 19200, 12000), (TwipsPoint{0, 0}));
  EXPECT_EQ(RandomNotePlacement(0.5, 0.25, 19200, 12000), (TwipsPoint{4050, 4250}));
  const TwipsPoint highest = RandomNotePlacement(0.999999, 0.999999, 19200, 12000);
  EXPECT_EQ(std::pair(highest.top, highest.left), std::pair(8499, 16199));
  // Out-of-range random values still land on the screen.
  const TwipsPoint odd = RandomNotePlacement(1.0, -0.5, 19200, 12000);
  EXPECT_EQ(std::pair(odd.top, odd.left), std::pair(8499, 0));
  // A screen smaller than a note: the top left corner, never negative.
  EXPECT_EQ(RandomNotePlacement(0.7, 0.7, 2000, 3000), (TwipsPoint{0, 0}));
}

TEST(NoteLayoutTest, OffScreenWindowMovesIntoThePrimaryWorkArea) {
  const ScreenRect primary{0, 0, 1280, 770};
  const ScreenRect second{1280, 0, 2560, 1024};
  const std::vector<ScreenRect> both{primary, second};
  // Partly visible windows stay where they are.
  EXPECT_FALSE(OffScreenCorrection({1270, 10, 1454, 202}, {primary}, primary));
  EXPECT_FALSE(OffScreenCorrection({-183, -191, 1, 1}, {primary}, primary));
  EXPECT_FALSE(OffScreenCorrection({1500, 900, 1684, 1016}, both, primary));
  // Touching the edge is not overlapping.
  EXPECT_EQ(OffScreenCorrection({1280, 100, 1464, 292}, {primary}, primary),
            (ScreenPoint{1096, 100}));
  // A window on a monitor that is gone.
  EXPECT_EQ(OffScreenCorrection({2000, 900, 2184, 1092}, {primary}, primary),
            (ScreenPoint{1096, 578}));
  EXPECT_EQ(OffScreenCorrection({-500, -400, -316, -208}, {primary}, primary), (ScreenPoint{0, 0}));
  // Below the taskbar of a primary work area that does not start at 0.
  const ScreenRect shifted{100, 40, 1280, 800};
  EXPECT_EQ(OffScreenCorrection({50, 10, 90, 30}, {shifted}, shifted), (ScreenPoint{100, 40}));
  // A window larger than the work area keeps its top left corner on it.
  EXPECT_EQ(OffScreenCorrection({3000, 3000, 4500, 4000}, {primary}, primary), (ScreenPoint{0, 0}));
  // No work areas at all: into the primary one.
  EXPECT_EQ(OffScreenCorrection({10, 10, 20, 20}, {}, primary), (ScreenPoint{10, 10}));
}

TEST(NoteLayoutTest, DefaultFontSizeFromStoredText) {
  EXPECT_DOUBLE_EQ(ParseFontSize("12"), 12.0);
  EXPECT_DOUBLE_EQ(ParseFontSize(" 9.75 "), 9.75);
  EXPECT_DOUBLE_EQ(ParseFontSize("9,75"), 9.75);
  for (const char* bad : {"", "abc", "12pt", "0", "-3", "nan", "inf", "99999"}) {
    EXPECT_DOUBLE_EQ(ParseFontSize(bad), 10.0) << bad;
  }
}

TEST(NoteStyleTest, OpacityAndCustomColours) {
  // 76.5 -> 76, 127.5 -> 128.
  EXPECT_EQ((std::vector{OpacityAlpha(1), OpacityAlpha(3), OpacityAlpha(5), OpacityAlpha(10)}),
            (std::vector<std::uint8_t>{26, 76, 128, 255}));
  EXPECT_EQ((std::vector{ParseOpacityLevel("abc"), ParseOpacityLevel("0"), ParseOpacityLevel("11"),
                         ParseOpacityLevel("3")}),
            (std::vector{10, 10, 10, 3}));

  // Custom scheme: RGB(20, 100, 200) -> window RGB(0, 74, 180).
  const Color body = MakeColor({20, 100, 200});
  const Rgb window = SplitColor(CustomWindowColor(body));
  EXPECT_EQ(std::tuple(window.red, window.green, window.blue), std::tuple(0, 74, 180));
  // The classic pair follows the same rule.
  EXPECT_EQ(CustomWindowColor(kClassicBodyColor), kClassicWindowColor);
  // Blue is tested against 26 but lowered by 20: 26 -> 0, 27 -> 7.
  EXPECT_EQ(SplitColor(CustomWindowColor(MakeColor({27, 27, 26}))).blue, 0);
  EXPECT_EQ(SplitColor(CustomWindowColor(MakeColor({27, 27, 27}))).blue, 7);
  EXPECT_EQ(SplitColor(CustomWindowColor(MakeColor({27, 27, 27}))).red, 1);
}

}  // namespace
}  // namespace velumbrino
