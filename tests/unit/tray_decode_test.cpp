#include "shell/tray_decode.h"

#include <gtest/gtest.h>

namespace velumbrino {
namespace {

TEST(DecodeTrayNotification, DoubleClickCreatesANoteAndRightReleaseOpensTheMenu) {
  EXPECT_EQ(DecodeTrayNotification(0x203, true), TrayAction::kNewNote);
  EXPECT_EQ(DecodeTrayNotification(0x205, true), TrayAction::kShowMenu);
  // Version 4 of the icon puts the icon id in the high word.
  EXPECT_EQ(DecodeTrayNotification(0x00010205, true), TrayAction::kShowMenu);
}

TEST(DecodeTrayNotification, EveryOtherCodeIsIgnored) {
  // Move, left down/up, right down, right double click, context menu, select, balloon events.
  for (std::uint32_t code : {0x200u, 0x201u, 0x202u, 0x204u, 0x206u, 0x7Bu, 0x400u, 0x401u,
                             0x402u, 0x403u, 0x404u, 0x405u, 0u}) {
    EXPECT_EQ(DecodeTrayNotification(code, true), TrayAction::kNone) << std::hex << code;
  }
}

TEST(DecodeTrayNotification, NothingHappensWhileNotReady) {
  EXPECT_EQ(DecodeTrayNotification(0x203, false), TrayAction::kNone);
  EXPECT_EQ(DecodeTrayNotification(0x205, false), TrayAction::kNone);
}

}  // namespace
}  // namespace velumbrino
