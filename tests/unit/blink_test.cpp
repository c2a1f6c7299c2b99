#include "alarm/blink.h"

#include <gtest/gtest.h>

#include "store/settings_file.h"
#include "temp_folder.h"

namespace velumbrino {
namespace {

using testing::TempFolder;

TEST(BlinkTest, FrameAlternatesBetweenTheTwoColoursWithTheirOwnPauses) {
  const NoteColors colors{0x00112233, 0x00445566};
  // From any other colour (the first tick of a note that never blinked) to its own colour.
  const BlinkStep first = NextBlinkStep(0x00ABCDEF, colors);
  EXPECT_EQ(first.frame, colors.window);
  EXPECT_EQ(first.next_interval_ms, 500);
  const BlinkStep second = NextBlinkStep(first.frame, colors);
  EXPECT_EQ(second.frame, colors.body);
  EXPECT_EQ(second.next_interval_ms, 300);
  EXPECT_EQ(NextBlinkStep(second.frame, colors).frame, colors.window);
}

TEST(BlinkTest, StoredColoursReadWithTheClassicPairForMissingOrBadValues) {
  TempFolder dir;
  SettingsFile settings(StdFileSystem(), dir.Path() + "config.cfg");
  NoteSettings note(settings, 4);
  NoteColors colors = ReadNoteColors(note);
  EXPECT_EQ(colors.window, kClassicWindowColor);
  EXPECT_EQ(colors.body, kClassicBodyColor);

  struct Case {
    const char* color1;
    const char* color2;
    Color window;
    Color body;
  };
  for (const Case& c : {Case{"11829830", "14474460", 11829830, 14474460},
                        Case{"azul", "-5", kClassicWindowColor, kClassicBodyColor},
                        Case{"16777216", " 255 ", kClassicWindowColor, 255}}) {
    ASSERT_TRUE(note.Apply({{NoteKey::kColor1, c.color1}, {NoteKey::kColor2, c.color2}}));
    colors = ReadNoteColors(note);
    EXPECT_EQ(colors.window, c.window) << c.color1;
    EXPECT_EQ(colors.body, c.body) << c.color2;
  }
}

}  // namespace
}  // namespace velumbrino
