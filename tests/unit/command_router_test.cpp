#include "shell/command_router.h"

#include <gtest/gtest.h>

#include "fault_files.h"
#include "router_fixture.h"

namespace velumbrino {
namespace {

class CommandRouterTest : public testing::RouterTest {
 protected:
  void Choose(int number, CommandId command) { router_.Run(command, number); }
};

TEST_F(CommandRouterTest, NoteCommandsReachTheNoteWhoseMenuWasOpened) {
  Choose(2, CommandId::kPaste);
  Choose(2, CommandId::kSelectAll);
  Choose(3, CommandId::kUndo);
  EXPECT_TRUE(Note(0).edits.empty());
  EXPECT_EQ(Note(1).edits, (std::vector<NoteWindow::BodyEdit>{NoteWindow::BodyEdit::kPaste,
                                                              NoteWindow::BodyEdit::kSelectAll}));
  EXPECT_EQ(Note(2).edits, (std::vector<NoteWindow::BodyEdit>{NoteWindow::BodyEdit::kUndo}));

  Choose(1, CommandId::kHideNote);
  EXPECT_FALSE(Note(0).visible);
  EXPECT_TRUE(Note(1).visible);
  Choose(3, CommandId::kPin);
  EXPECT_EQ(Ini("3", "OnTop"), "True");
  Choose(2, CommandId::kAlarm);
  EXPECT_EQ(services_.alarm_dialogs, std::vector<int>{2});
}

// Storing chosen colours is driven by the simulation; opacity, classic colours, delete, hide
// all and show all end to end. A cancelled dialog stores the colours the note already has.
TEST_F(CommandRouterTest, ACancelledColourDialogStoresTheColoursTheNoteHas) {
  Choose(3, CommandId::kCustomColor);
  EXPECT_EQ(services_.dialogs.owners.back(), notes_.At(3).Handle());
  EXPECT_EQ(Ini("3", "Color1") + " " + Ini("3", "Color2"), "7595493 8912895");
}

// Numbering and showing new notes are driven by the simulation.
TEST_F(CommandRouterTest, NewNoteTakesTheKeyboardAndSoundsFromTheProgramFolder) {
  router_.Run(CommandId::kNewNote);
  ASSERT_EQ(notes_.Count(), 4);
  EXPECT_EQ(Note(3).focus_count, 1);
  EXPECT_EQ(services_.sounds.back(), "C:\\Velumbrino\\novo.wav");
}

TEST_F(CommandRouterTest, ColoursGoToTheNoteCapturedWhenItsMenuOpenedWhateverHappensMeanwhile) {
  services_.dialogs.color_choice = 0x00102030;
  // While the dialog is up another note becomes current, then the captured one is deleted.
  services_.dialogs.while_open = [&] { state_.current_note_number = 3; };
  Choose(2, CommandId::kCustomColor);
  EXPECT_EQ(Ini("2", "Color2"), std::to_string(0x00102030));
  EXPECT_EQ(Ini("3", "Color2"), "<none>");

  services_.dialogs.while_open = [&] { notes_.DeleteNote(1, notes_.FindNoteWindow(1)); };
  Choose(1, CommandId::kCustomColor);
  EXPECT_EQ(Ini("1", "Color2"), "<none>");
  EXPECT_EQ(Ini("3", "Color2"), "<none>");
}

TEST_F(CommandRouterTest, RefusedNewNoteIsReportedEveryTimeAndTriedAgain) {
  dir_.Write("indice.dat", ",1,2,3,\r\n");
  testing::FullDiskFileSystem full;
  NoteCollection stuck(full, factory_, dir_.Path());
  CommandRouter router(stuck, state_, font_, services_, "C:\\Velumbrino\\");
  router.Run(CommandId::kNewNote);
  router.Run(CommandId::kNewNote);
  EXPECT_EQ(services_.refusals, 2);
  EXPECT_EQ(stuck.Count(), 0);
}

TEST_F(CommandRouterTest, MenusAreComputedFromTheRowsAndTheCapturedNote) {
  dir_.Write("config.cfg", "[2]\r\nOnTop=true\r\nOpacidade=4\r\n");
  Note(1).selection_length = 5;
  Note(0).visible = false;
  const MenuContext two = router_.NoteMenuContext(2);
  EXPECT_TRUE(ItemChecked(*FindCommand(CommandId::kPin), two));
  EXPECT_TRUE(ItemChecked(*FindCommand(OpacityCommand(4)), two));
  EXPECT_FALSE(ItemChecked(*FindCommand(OpacityCommand(10)), two));
  EXPECT_TRUE(ItemEnabled(*FindCommand(CommandId::kCut), two));

  const MenuContext one = router_.NoteMenuContext(1);
  EXPECT_FALSE(ItemChecked(*FindCommand(CommandId::kPin), one));
  EXPECT_TRUE(ItemChecked(*FindCommand(OpacityCommand(10)), one));
  EXPECT_FALSE(ItemEnabled(*FindCommand(CommandId::kCopy), one));

  // One hidden and two visible notes: every tray item enabled; none hidden: no "show all".
  const MenuContext tray = router_.TrayMenuContext();
  for (CommandId id : {CommandId::kShowAll, CommandId::kHideAll}) {
    EXPECT_TRUE(ItemEnabled(*FindCommand(id), tray));
  }
  Note(0).visible = true;
  EXPECT_FALSE(ItemEnabled(*FindCommand(CommandId::kShowAll), router_.TrayMenuContext()));
  EXPECT_FALSE(ItemEnabled(*FindCommand(CommandId::kHideAll), MenuContext{}));
}

}  // namespace
}  // namespace velumbrino
