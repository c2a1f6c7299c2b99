// The commands of the note dialogs: title, insert date and time, show and delete notes. The
// dialogs are faked; what is tested is what the commands do with their answers.
#include <gtest/gtest.h>

#include "router_fixture.h"

namespace velumbrino {
namespace {

class NoteDialogCommandsTest : public testing::RouterTest {
 protected:
  NoteDialogCommandsTest() {
    dir_.Write("config.cfg", "[Indice]\r\nTotalForms=3\r\n[1]\r\nTitulo=Um\r\n");
  }
  std::vector<bool> Visibility() {
    std::vector<bool> visible;
    for (int position = 1; position <= notes_.Count(); ++position) {
      visible.push_back(notes_.At(position).Visible());
    }
    return visible;
  }
};

TEST_F(NoteDialogCommandsTest, TitleAndInsertActOnTheCapturedNoteOnlyWhenConfirmed) {
  Note(1).title = "Lista";
  router_.Run(CommandId::kTitle, 2);  // closed without "Ok"
  EXPECT_EQ(services_.titles_shown, std::vector<std::string>{"Lista"});
  EXPECT_EQ(services_.owners.back(), notes_.At(2).Handle());
  EXPECT_EQ(Note(1).title, "Lista");

  services_.title_answer = "";  // "Ok" with an empty box empties the title
  router_.Run(CommandId::kTitle, 2);
  EXPECT_EQ(Note(1).title, "");
  services_.title_answer = "Uma nota com um título bem mais longo";
  router_.Run(CommandId::kTitle, 3);
  EXPECT_EQ(Note(2).title, "Uma nota com um título bem mais longo");
  EXPECT_EQ(Note(0).title, "");

  router_.Run(CommandId::kDateTime, 1);  // cancelled
  EXPECT_TRUE(Note(0).inserted.empty());
  services_.date_time_answer = "05/12/26 - 14:30";
  router_.Run(CommandId::kDateTime, 1);
  EXPECT_EQ(Note(0).inserted, std::vector<std::string>{"05/12/26 - 14:30"});
  EXPECT_TRUE(Note(1).inserted.empty() && Note(2).inserted.empty());

  // The note went away while its dialog was open: nothing reaches any other note.
  services_.while_open = [&] { notes_.DeleteNote(1, notes_.FindNoteWindow(1)); };
  router_.Run(CommandId::kDateTime, 1);
  router_.Run(CommandId::kTitle, 2);  // still there: the title is set
  EXPECT_EQ(Note(0).inserted.size(), 1u);
  EXPECT_EQ(Note(1).title, "Uma nota com um título bem mais longo");
  EXPECT_EQ(Note(2).inserted.size(), 0u);
}

TEST_F(NoteDialogCommandsTest, ShowNotesListsVisibilityAndAppliesTheChoice) {
  Note(1).visible = false;
  Note(2).title = "   ";
  services_.list_answer = {NoteListAction::kCancel, {false, false, false}};
  router_.Run(CommandId::kShowSelected);
  ASSERT_EQ(services_.lists_shown.size(), 1u);
  EXPECT_EQ(services_.list_modes[0], NoteListMode::kShow);
  EXPECT_EQ(services_.lists_shown[0].selected, (std::vector<bool>{true, false, true}));
  EXPECT_EQ(services_.lists_shown[0].entries[2], "[Em Branco]");
  EXPECT_EQ(Visibility(), (std::vector<bool>{true, false, true}));

  services_.list_answer = {NoteListAction::kSelected, {false, true, true}};
  router_.Run(CommandId::kShowSelected);
  EXPECT_EQ(Visibility(), (std::vector<bool>{false, true, true}));
  // The first note shown takes the keyboard.
  EXPECT_EQ(Note(1).focus_count, 1);
  EXPECT_EQ(Note(2).focus_count, 0);

  // A note added while the dialog was open: the positions no longer mean the same notes.
  // ("Todas" is chosen end to end.)
  services_.list_answer = {NoteListAction::kSelected, {false, false, false}};
  services_.while_open = [&] { notes_.CreateNote("4", false, {}); };
  router_.Run(CommandId::kShowSelected);
  EXPECT_EQ(Visibility(), (std::vector<bool>{false, true, true, true}));
}

// What is deleted is checked with the delete plans and end to end; here, the dialog's mode,
// nothing preselected, and a cancel that keeps everything.
TEST_F(NoteDialogCommandsTest, DeleteDialogStartsWithNothingChosenAndCancelKeepsEverything) {
  services_.list_answer = {NoteListAction::kCancel, {true, true, true}};
  router_.Run(CommandId::kDeleteNotes);
  EXPECT_EQ(services_.list_modes.at(0), NoteListMode::kDelete);
  EXPECT_EQ(services_.lists_shown[0].selected, (std::vector<bool>{false, false, false}));
  EXPECT_EQ(notes_.Count(), 3);
  EXPECT_TRUE(dir_.Exists("stickie1.vmb"));
}

}  // namespace
}  // namespace velumbrino
