#include "shell/key_combination.h"

#include <gtest/gtest.h>

#include <vector>

namespace velumbrino {
namespace {

int CountFired(KeyCombinationEdge& edge, const std::vector<bool>& polls) {
  int fired = 0;
  for (bool held : polls) fired += edge.Update(held) ? 1 : 0;
  return fired;
}

TEST(KeyCombinationEdge, OnePressGivesOneEventHoweverLongItIsHeld) {
  KeyCombinationEdge edge;
  EXPECT_FALSE(edge.Update(false));
  EXPECT_TRUE(edge.Update(true));
  // Held for a second of 100 ms polls: nothing more.
  EXPECT_EQ(CountFired(edge, std::vector<bool>(10, true)), 0);
}

TEST(KeyCombinationEdge, ReleaseAndPressAgainGivesTheNextEvent) {
  KeyCombinationEdge edge;
  EXPECT_EQ(CountFired(edge, {true, true, false, true, false, false, true, true}), 3);
}

TEST(KeyCombinationEdge, HeldAtTheFirstPollCountsAsAPress) {
  KeyCombinationEdge edge;
  EXPECT_TRUE(edge.Update(true));
}

TEST(KeyCombinationEdge, ResetWhileHeldSuppressesTheHeldPress) {
  KeyCombinationEdge edge;
  edge.Reset(true);  // input was ignored while the keys went down
  EXPECT_FALSE(edge.Update(true));
  EXPECT_FALSE(edge.Update(false));
  EXPECT_TRUE(edge.Update(true));
}

}  // namespace
}  // namespace velumbrino
