#include "note/note_layout.h"

#include <gtest/gtest.h>

#include <tuple>
#include <utility>
#include <vector>

#include "dialogs/insert_date_time.h"
#include "note/font_settings.h"
#include "note/note_style.h"
#include "note/print_layout.h"
#include "note/save_path.h"
#include "note/title_rules.h"
#include "platform/dialog_settings.h"
#include "store/date_text.h"

namespace velumbrino {
namespace {

TEST(NoteLayoutTest, TwipsAndControlsAtEachResolution) {
  // 96 dpi: 15 twips a pixel; 120 dpi: 12; 144 dpi: 10.
  EXPECT_EQ((std::vector{PixelsToTwips(345, 96), PixelsToTwips(431, 120), PixelsToTwips(-10, 144)}),
            (std::vector{5175, 5172, -100}));
  // Halves go to the even neighbour (7.5 -> 8, 22.5 -> 22); 118.75 -> 119; an unread 0 dpi is 96.
  const struct {
    int twips, dpi, pixels;
  } cases[] = {{2760, 96, 184}, {2880, 96, 192},  {2760, 120, 230}, {2880, 144, 288},
               {45, 96, 3},     {1425, 120, 119}, {90, 120, 8},     {270, 120, 22},
               {-90, 120, -8},  {-270, 120, -22}, {150, 0, 10}};
  for (const auto& c : cases) EXPECT_EQ(TwipsToPixels(c.twips, c.dpi), c.pixels) << c.twips;

  // 96 dpi places are those the end-to-end tests click; 144: 217.5 -> 218, 25.5 -> 26, 22.5 -> 22.
  const NoteLayout at144 = NoteLayoutForDpi(144);
  EXPECT_EQ(at144.pin, (LayoutRect{218, 6, 26, 24}));
  EXPECT_EQ(at144.corner_ellipse, 22);
  for (int dpi : {96, 120, 144, 192}) {
    const NoteLayout layout = NoteLayoutForDpi(dpi);
    for (const LayoutRect& r : {layout.body, layout.pin, layout.hide_button, layout.title}) {
      EXPECT_LE(r.left + r.width, layout.width) << dpi;
      EXPECT_LE(r.top + r.height, layout.height) << dpi;
    }
  }
}

TEST(NoteLayoutTest, NewAndOffScreenNotesLandOnTheScreen) {
  // 1280 x 800 pixels at 96 dpi = 19200 x 12000 twips.
  EXPECT_EQ(RandomNotePlacement(0.0, 0.0, 19200, 12000), (TwipsPoint{0, 0}));
  EXPECT_EQ(RandomNotePlacement(0.5, 0.25, 19200, 12000), (TwipsPoint{4050, 4250}));
  const TwipsPoint highest = RandomNotePlacement(0.999999, 0.999999, 19200, 12000);
  EXPECT_EQ(std::pair(highest.top, highest.left), std::pair(8499, 16199));
  const TwipsPoint odd = RandomNotePlacement(1.0, -0.5, 19200, 12000);
  EXPECT_EQ(std::pair(odd.top, odd.left), std::pair(8499, 0));
  // A screen smaller than a note: the top left corner, never negative.
  EXPECT_EQ(RandomNotePlacement(0.7, 0.7, 2000, 3000), (TwipsPoint{0, 0}));

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

TEST(NoteStyleTest, OpacityAndCustomColours) {
  // 76.5 -> 76, 127.5 -> 128.
  EXPECT_EQ((std::vector{OpacityAlpha(1), OpacityAlpha(3), OpacityAlpha(5), OpacityAlpha(10)}),
            (std::vector<std::uint8_t>{26, 76, 128, 255}));
  EXPECT_EQ((std::vector{ParseOpacityLevel("abc"), ParseOpacityLevel("0"), ParseOpacityLevel("11"),
                         ParseOpacityLevel("3")}),
            (std::vector{10, 10, 10, 3}));

  const Color body = MakeColor({20, 100, 200});
  const Rgb window = SplitColor(CustomWindowColor(body));
  EXPECT_EQ(std::tuple(window.red, window.green, window.blue), std::tuple(0, 74, 180));
  EXPECT_EQ(CustomWindowColor(kClassicBodyColor), kClassicWindowColor);
  // Blue is tested against 26 but lowered by 20: 26 -> 0, 27 -> 7.
  EXPECT_EQ(SplitColor(CustomWindowColor(MakeColor({27, 27, 26}))).blue, 0);
  EXPECT_EQ(SplitColor(CustomWindowColor(MakeColor({27, 27, 27}))).blue, 7);
  EXPECT_EQ(SplitColor(CustomWindowColor(MakeColor({27, 27, 27}))).red, 1);
}

class FakePrintSink : public PrintSink {
 public:
  bool BeginDocument(std::string_view name) override { return Log("begin " + std::string(name)); }
  bool PrintLine(int x, int y, std::string_view text) override {
    return fail_at_line-- != 0 &&
           Log(std::to_string(x) + "," + std::to_string(y) + " [" + std::string(text) + "]");
  }
  bool NewPage() override { return Log("page"); }
  bool EndDocument() override { return Log("end"); }
  bool Log(std::string event) {
    events.push_back(std::move(event));
    return true;
  }
  std::vector<std::string> events;
  int fail_at_line = -1;
};

TEST(PrintNote, PageBreaksKeepEveryLine) {
  // Room for four lines a page: the two header lines and two body lines, then three more.
  const auto pages = LayOutPrintedNote("T", {"1", "2", "3", "4", "5"}, PrintMetrics{250, 1000});
  ASSERT_EQ(pages.size(), 2u);
  EXPECT_EQ(pages[0].size(), 4u);
  EXPECT_EQ(pages[1], (PrintedPage{{200, 0, "3"}, {200, 250, "4"}, {200, 500, "5"}}));

  FakePrintSink sink, failing;
  EXPECT_TRUE(PrintNote(sink, "", {"1", "2", "3"}, PrintMetrics{250, 1000}));
  EXPECT_EQ(sink.events.front(), "begin Velumbrino");
  EXPECT_EQ(sink.events[5], "page");

  // A page smaller than a line still takes one line a page instead of looping.
  EXPECT_EQ(LayOutPrintedNote("T", {"1"}, PrintMetrics{0, 0}).size(), 3u);

  failing.fail_at_line = 2;
  EXPECT_FALSE(PrintNote(failing, "T", {"1", "2"}, PrintMetrics{}));
  EXPECT_EQ(failing.events,
            (std::vector<std::string>{"begin T", "0,0 []", "0,240 [     T]", "end"}));
}

TEST(FontSettings, SizesFacesAndTheSelectionsFont) {
  EXPECT_DOUBLE_EQ(ParseFontSize("12"), 12.0);
  EXPECT_DOUBLE_EQ(ParseFontSize(" 9.75 "), 9.75);
  EXPECT_DOUBLE_EQ(ParseFontSize("9,75"), 9.75);
  for (const char* bad : {"", "abc", "12pt", "0", "-3", "nan", "inf", "99999"}) {
    EXPECT_DOUBLE_EQ(ParseFontSize(bad), 10.0) << bad;
  }

  EXPECT_EQ(FitFaceName("Arial"), "Arial");
  EXPECT_EQ(FitFaceName(std::string(40, 'x')), std::string(31, 'x'));
  // 30 ASCII + "é" (one unit) fits; 30 ASCII + an emoji (two units) does not.
  EXPECT_EQ(FitFaceName(std::string(30, 'x') + "é!"), std::string(30, 'x') + "é");
  EXPECT_EQ(FitFaceName(std::string(30, 'x') + "\xF0\x9F\x98\x80"), std::string(30, 'x'));

  DialogSettings settings{.font_name = "Courier New", .font_size = 12, .italic = true};
  // Mixed face and italic keep the last values; the size is rounded to whole points.
  ReadSelectionFont(
      SelectionFont{.size = 10.6, .bold = true, .underline = false, .color = 0x00FF00}, settings);
  EXPECT_EQ(std::tuple(settings.font_name, settings.font_size, settings.bold, settings.italic,
                       settings.color),
            std::tuple("Courier New", 11, true, true, 0x00FF00u));

  DefaultFont font{"Courier New", "11", true, true, false};
  ReadSelectionFont(SelectionFont{.face = "Verdana", .size = 10.5}, ',', font);
  EXPECT_EQ(std::tuple(font.face, font.size, font.bold), std::tuple("Verdana", "10,5", true));

  EXPECT_EQ(FontSizeText(10.0, ',') + " " + FontSizeText(9.75, ',') + " " +
                FontSizeText(11.5, '.') + " " + FontSizeText(-3.0, ','),
            "10 9,75 11.5 10");
}

TEST(TextFileSavePath, AlwaysATxtFileInTheChosenFolder) {
  const std::pair<const char*, const char*> cases[] = {
      {"C:\\notas.antigas\\nota", "C:\\notas.antigas\\nota.txt"},
      {"C:\\Docs\\nota.rtf", "C:\\Docs\\nota.txt"},
      {"C:\\Docs\\nota.txt", "C:\\Docs\\nota.txt"},
      {"nota", "nota.txt"},
      {"C:\\v1.2/nota", "C:\\v1.2/nota.txt"},
      {"C:\\Docs\\a.tar.gz", "C:\\Docs\\a.tar.txt"},
  };
  for (const auto& [chosen, written] : cases) EXPECT_EQ(TextFileSavePath(chosen), written);
}

TEST(DateTextTest, TitleButtonsAndNewNoteTitleAgree) {
  struct Case {
    LocalTime now;
    const char* date;
    const char* time;
    const char* both;
  };
  const Case cases[] = {
      {{2026, 12, 24, 18, 30, 0}, "24/dez", "18:30", "24/dez - 18:30"},
      {{2027, 1, 1, 0, 0, 0}, "01/jan", "00:00", "01/jan - 00:00"},  // midnight
      {{2026, 12, 31, 23, 59, 59}, "31/dez", "23:59", "31/dez - 23:59"},
      {{2026, 3, 7, 9, 5, 0}, "07/mar", "09:05", "07/mar - 09:05"},
      {{2023, 13, 1, 0, 0, 0}, "01/dez", "00:00", "01/dez - 00:00"},  // broken clock value
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.both);
    EXPECT_EQ(TitleButtonText(TitleButton::kDate, c.now), c.date);
    EXPECT_EQ(TitleButtonText(TitleButton::kTime, c.now), c.time);
    EXPECT_EQ(TitleButtonText(TitleButton::kDateAndTime, c.now), c.both);
    EXPECT_EQ(NoteTitle(c.now), c.both);
  }
  EXPECT_EQ(LongDateText({2026, 12, 5, 0, 0, 0}), "sábado, 5 de dezembro de 2026");
  EXPECT_EQ(LongDateText({2024, 2, 29, 0, 0, 0}), "quinta-feira, 29 de fevereiro de 2024");
  EXPECT_EQ(LongDateText({2000, 1, 1, 0, 0, 0}), "sábado, 1 de janeiro de 2000");
  EXPECT_EQ(LongDateText({1969, 12, 28, 0, 0, 0}), "domingo, 28 de dezembro de 1969");
  EXPECT_EQ(LongDateText({2030, 3, 4, 0, 0, 0}), "segunda-feira, 4 de março de 2030");
}

TEST(DateTextTest, TwelveSamplesInListOrder) {
  const LocalTime moment{2026, 12, 5, 14, 30, 45};
  // clang-format off
  const std::array<std::string, kDateTimeSampleCount> expected = {
      "05/12/26", "05 dezembro 2026", "sábado, 5 de dezembro de 2026", "05 dezembro, 2026",
      "dezembro 05, 2026", "05/dez/26", "dezembro, 26", "dez/26", "05/12/26 - 14:30",
      "05/12/26 - 14:30:45", "14:30", "14:30:45"};
  // clang-format on
  EXPECT_EQ(DateTimeSamples(moment, "sábado, 5 de dezembro de 2026"), expected);
  // Without the system's long date the program's own form stands in.
  EXPECT_EQ(DateTimeSamples(moment, ""), expected);
  EXPECT_EQ(DateTimeSamples(moment, "Saturday, December 5, 2026")[2], "Saturday, December 5, 2026");
}

}  // namespace
}  // namespace velumbrino
