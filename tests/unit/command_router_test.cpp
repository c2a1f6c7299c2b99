#include "shell/command_router.h"

#include <gtest/gtest.h>

#include <tuple>

#include "../sim/mem_files.h"
#include "fake_note_window.h"
#include "fake_shell.h"
#include "platform/dialog_settings.h"
#include "ui_strings.h"

namespace velumbrino {
namespace {

using testing::FakeNoteState, testing::FakeNoteWindowFactory, testing::FakeServices;

class CommandRouterTest : public ::testing::Test {
 protected:
  CommandRouterTest() {
    files_.CreateDirectories("/d");
    files_.Put("/d/indice.dat", ",1,2,3,\r\n");
    for (const std::string tag : {"1", "2", "3"}) {
      notes_.CreateNote(tag, false, {});
      files_.Put("/d/stickie" + tag + ".vmb", "{\\rtf1 corpo " + tag + "}");
    }
    state_.app_ready.MarkStarted();
    SharedDialogSettings() = {};  // the file commands keep their last dialog's fields there
  }
  FakeNoteState& Note(int index) { return *factory_.created[static_cast<size_t>(index)]; }
  std::string Ini(const std::string& section, const std::string& key) {
    return notes_.Settings().ReadIniValue(section, key, "<none>");
  }
  std::vector<bool> Visibility() {
    std::vector<bool> visible;
    for (int p = 1; p <= notes_.Count(); ++p) visible.push_back(notes_.At(p).Visible());
    return visible;
  }
  void DeleteWhileOpen(int number) {
    services_.dialogs.while_open = [this, number] {
      if (const int position = notes_.FindNoteWindow(number)) notes_.DeleteNote(number, position);
    };
  }

  sim::MemFiles files_;
  FakeNoteWindowFactory factory_{files_};
  NoteCollection notes_{files_, factory_, "/d/"};
  AppState state_;
  DefaultFont font_;
  FakeServices services_;
  CommandRouter router_{notes_, state_, font_, services_, "C:\\Velumbrino\\"};
};
using Edit = NoteWindow::BodyEdit;

TEST_F(CommandRouterTest, NoteCommandsReachTheNoteWhoseMenuWasOpened) {
  router_.Run(CommandId::kPaste, 2);
  router_.Run(CommandId::kSelectAll, 2);
  router_.Run(CommandId::kUndo, 3);
  EXPECT_TRUE(Note(0).edits.empty());
  EXPECT_EQ(Note(1).edits, (std::vector{Edit::kPaste, Edit::kSelectAll}));
  EXPECT_EQ(Note(2).edits, std::vector{Edit::kUndo});

  router_.Run(CommandId::kHideNote, 1);
  EXPECT_FALSE(Note(0).visible);
  EXPECT_TRUE(Note(1).visible);
  router_.Run(CommandId::kPin, 3);
  EXPECT_EQ(Ini("3", "OnTop"), "True");
  router_.Run(CommandId::kAlarm, 2);
  EXPECT_EQ(services_.alarm_dialogs, std::vector<int>{2});

  // Cancel stores the note's own colours (chosen ones: the simulation; the rest: end to end).
  router_.Run(CommandId::kCustomColor, 3);
  EXPECT_EQ(services_.dialogs.owners.back(), notes_.At(3).Handle());
  EXPECT_EQ(Ini("3", "Color1") + " " + Ini("3", "Color2"), "7595493 8912895");

  // A new note takes the keyboard and sounds (numbering and showing it: the simulation).
  router_.Run(CommandId::kNewNote);
  ASSERT_EQ(notes_.Count(), 4);
  EXPECT_EQ(Note(3).focus_count, 1);
  EXPECT_EQ(services_.sounds.back(), "C:\\Velumbrino\\novo.wav");
}

TEST_F(CommandRouterTest, ColoursGoToTheNoteCapturedWhenItsMenuOpenedWhateverHappensMeanwhile) {
  services_.dialogs.color_choice = 0x00102030;
  // While the dialog is up another note becomes current, then the captured one is deleted.
  services_.dialogs.while_open = [&] { state_.current_note_number = 3; };
  router_.Run(CommandId::kCustomColor, 2);
  EXPECT_EQ(Ini("2", "Color2"), std::to_string(0x00102030));
  EXPECT_EQ(Ini("3", "Color2"), "<none>");

  services_.dialogs.while_open = [&] { notes_.DeleteNote(1, notes_.FindNoteWindow(1)); };
  router_.Run(CommandId::kCustomColor, 1);
  EXPECT_EQ(Ini("1", "Color2"), "<none>");
  EXPECT_EQ(Ini("3", "Color2"), "<none>");
}

TEST_F(CommandRouterTest, RefusedNewNoteIsReportedEveryTimeAndTriedAgain) {
  sim::MemFiles full;  // the index can be read, no write goes through
  full.CreateDirectories("/d");
  full.Put("/d/indice.dat", ",1,2,3,\r\n");
  full.disk_full_until = 1;
  NoteCollection stuck(full, factory_, "/d/");
  CommandRouter router(stuck, state_, font_, services_, "C:\\Velumbrino\\");
  router.Run(CommandId::kNewNote);
  router.Run(CommandId::kNewNote);
  EXPECT_EQ(services_.refusals, 2);
  EXPECT_EQ(stuck.Count(), 0);
}

TEST_F(CommandRouterTest, MenusAreComputedFromTheRowsAndTheCapturedNote) {
  files_.Put("/d/config.cfg", "[2]\r\nOnTop=true\r\nOpacidade=4\r\n");
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

using NoteDialogCommandsTest = CommandRouterTest;

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
  EXPECT_EQ(std::pair(Note(1).focus_count, Note(2).focus_count), std::pair(1, 0));

  // A note added while open: the positions no longer mean the same notes ("Todas": end to end).
  services_.list_answer = {NoteListAction::kSelected, {false, false, false}};
  services_.while_open = [&] { notes_.CreateNote("4", false, {}); };
  router_.Run(CommandId::kShowSelected);
  EXPECT_EQ(Visibility(), (std::vector<bool>{false, true, true, true}));
}

// What is deleted is checked end to end; here the mode, the empty choice and the cancel.
TEST_F(NoteDialogCommandsTest, DeleteDialogStartsWithNothingChosenAndCancelKeepsEverything) {
  services_.list_answer = {NoteListAction::kCancel, {true, true, true}};
  router_.Run(CommandId::kDeleteNotes);
  EXPECT_EQ(services_.list_modes.at(0), NoteListMode::kDelete);
  EXPECT_EQ(services_.lists_shown[0].selected, (std::vector<bool>{false, false, false}));
  EXPECT_EQ(notes_.Count(), 3);
  EXPECT_TRUE(files_.FileExists("/d/stickie1.vmb"));
}

using NoteFileCommandsTest = CommandRouterTest;

// The dialog's fields from the selection are checked with ReadSelectionFont.
TEST_F(NoteFileCommandsTest, FontDialogOpensOnTheCapturedNotesSelectionAndItsChoiceAppliesToIt) {
  Note(1).selection_font = {.face = "Verdana", .size = 11.5};
  services_.dialogs.font_choice = [](DialogSettings& s) { s.font_name = "Tahoma"; };
  router_.Run(CommandId::kFont, 2);
  ASSERT_EQ(services_.dialogs.font_requests.size(), 1u);
  const DialogSettings& asked = services_.dialogs.font_requests[0];
  EXPECT_EQ(std::tuple(asked.font_name, asked.owner_window),
            std::tuple("Verdana", reinterpret_cast<std::uintptr_t>(notes_.At(2).Handle())));
  EXPECT_FALSE(services_.dialogs.font_no_effects);
  ASSERT_EQ(Note(1).applied_fonts.size(), 1u);
  EXPECT_EQ(Note(1).applied_fonts[0].face, "Tahoma");
  EXPECT_TRUE(Note(0).applied_fonts.empty());
  // Answered No: only the selection changed.
  EXPECT_EQ(services_.font_questions, 1);
  EXPECT_TRUE(services_.default_fonts.empty());
}

TEST_F(NoteFileCommandsTest, CancelledDialogsChangeNothingAndAskNothing) {
  Note(0).selection_font = {.face = "Arial", .size = 10.0};
  Note(0).text = "fica";
  for (CommandId command : {CommandId::kFont, CommandId::kLoadFile, CommandId::kSaveFile}) {
    router_.Run(command, 1);
  }
  EXPECT_EQ(services_.dialogs.font_requests.size(), 1u);
  EXPECT_TRUE(Note(0).applied_fonts.empty());
  EXPECT_EQ(services_.font_questions, 0);
  EXPECT_EQ(Note(0).text, "fica");
  EXPECT_TRUE(services_.files.empty());
  EXPECT_TRUE(services_.problems.empty());
}

TEST_F(NoteFileCommandsTest, FontAndPrintDoNothingWhenTheirNoteWentAwayMeanwhile) {
  services_.dialogs.font_choice = [](DialogSettings&) {};
  services_.dialogs.printer_confirmed = true;
  DeleteWhileOpen(2);
  router_.Run(CommandId::kFont, 2);
  DeleteWhileOpen(1);
  router_.Run(CommandId::kPrint, 1);
  EXPECT_EQ(notes_.Count(), 1);
  EXPECT_TRUE(Note(1).applied_fonts.empty());
  EXPECT_EQ(services_.font_questions, 0);
  EXPECT_TRUE(services_.printed_titles.empty());
}

TEST_F(NoteFileCommandsTest, LoadReplacesTheBodyAsTextOrRichTextOrTellsWhy) {
  struct Case {
    const char* file;
    std::string bytes;
    const char* text;     // the body afterwards (nullptr: unchanged)
    const char* rtf;      // rich text handed to the body
    const char* problem;  // part of the message shown
  };
  const Case cases[] = {
      {"C:\\a.txt", "linha 1\nlinha 2", "linha 1\r\nlinha 2", "", nullptr},
      {"C:\\c.rtf", "{\\rtf1 negrito}", "", "{\\rtf1 negrito}", nullptr},
      {"C:\\d.bin", std::string("MZ\0\0\x01\x02", 6), nullptr, "", "C:\\d.bin"},
      {"C:\\missing.txt", "", nullptr, "", "não existe mais"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file);
    Note(0).text = "antes";
    Note(0).replaced_rtf.clear();
    services_.problems.clear();
    if (std::string(c.file) != "C:\\missing.txt") services_.files[c.file] = c.bytes;
    services_.dialogs.file_choice = c.file;
    router_.Run(CommandId::kLoadFile, 1);
    EXPECT_EQ(Note(0).text, c.text ? c.text : "antes");
    EXPECT_EQ(Note(0).replaced_rtf, c.rtf);
    ASSERT_EQ(services_.problems.size(), c.problem ? 1u : 0u);
    for (const std::string& problem : services_.problems) {
      EXPECT_NE(problem.find(c.problem), std::string::npos) << problem;
      EXPECT_NE(problem.find(c.file), std::string::npos);
    }
  }
}

// The questions before a load over text or a save over a file are answered end to end.
TEST_F(NoteFileCommandsTest, AnEmptyBodyIsFilledWithoutAQuestion) {
  services_.files["C:\\novo.txt"] = "do arquivo";
  services_.dialogs.file_choice = "C:\\novo.txt";
  Note(0).text = " \r\n";
  router_.Run(CommandId::kLoadFile, 1);
  EXPECT_EQ(Note(0).text, "do arquivo");
  router_.Run(CommandId::kSaveFile, 1);
  EXPECT_EQ(services_.dialogs.requests.back().flags & kOverwritePromptFlag, kOverwritePromptFlag);
  EXPECT_TRUE(services_.questions.empty());
}

TEST_F(NoteFileCommandsTest, ABodyThatWasNotOpenedIsNeverChanged) {
  notes_.KeepStoredBody("2");
  services_.dialogs.file_choice = "C:\\novo.txt";
  services_.files["C:\\novo.txt"] = "do arquivo";
  services_.date_time_answer = "07/12/2026";
  Note(1).selection_length = 1;
  services_.dialogs.font_choice = [](DialogSettings&) {};
  for (CommandId command : {CommandId::kLoadFile, CommandId::kDateTime, CommandId::kFont,
                            CommandId::kPaste, CommandId::kUndo, CommandId::kCopy}) {
    router_.Run(command, 2);
  }
  EXPECT_EQ(services_.warnings, std::vector<std::string>(5, TXT_BODY_PROTECTED));
  EXPECT_TRUE(Note(1).inserted.empty());
  EXPECT_TRUE(Note(1).applied_fonts.empty());
  EXPECT_EQ(Note(1).edits, std::vector{Edit::kCopy});
  EXPECT_EQ(Note(1).text, "");
}

// The written file's name and bytes are checked end to end and by TextFileSavePath.
TEST_F(NoteFileCommandsTest, AFailedSaveSaysWhyNamingTheTxtFile) {
  services_.write_problem = FileProblem::kReadOnly;
  services_.dialogs.file_choice = "C:\\ro";
  router_.Run(CommandId::kSaveFile, 1);
  ASSERT_EQ(services_.problems.size(), 1u);
  EXPECT_NE(services_.problems[0].find("“C:\\ro.txt”"), std::string::npos);
  EXPECT_NE(services_.problems[0].find("somente leitura"), std::string::npos);
}

}  // namespace
}  // namespace velumbrino
