#include "alarm/blink.h"

#include <gtest/gtest.h>

namespace velumbrino {
namespace {

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

}  // namespace
}  // namespace velumbrino
