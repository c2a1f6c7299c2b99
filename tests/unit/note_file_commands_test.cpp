#include <gtest/gtest.h>

#include <tuple>

#include "platform/dialog_settings.h"
#include "router_fixture.h"
#include "ui_strings.h"

namespace velumbrino {
namespace {

class NoteFileCommandsTest : public testing::RouterTest {
 protected:
  NoteFileCommandsTest() : RouterTest(2) { SharedDialogSettings() = {}; }
  // The dialog deletes the note while it is open.
  void DeleteWhileOpen(int number) {
    services_.dialogs.while_open = [this, number] {
      if (const int position = notes_.FindNoteWindow(number)) notes_.DeleteNote(number, position);
    };
  }
};

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
  EXPECT_EQ(notes_.Count(), 0);
  EXPECT_TRUE(Note(1).applied_fonts.empty());
  EXPECT_EQ(services_.font_questions, 0);
  EXPECT_TRUE(services_.printed.empty());
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
    if (c.problem) {
      ASSERT_EQ(services_.problems.size(), 1u);
      EXPECT_NE(services_.problems[0].find(c.problem), std::string::npos) << services_.problems[0];
      EXPECT_NE(services_.problems[0].find(c.file), std::string::npos);
    } else {
      EXPECT_TRUE(services_.problems.empty());
    }
  }
}

// The questions before loading over text and before a save whose ".txt" names another file
// are answered end to end; here, an empty body is filled without one, and the save dialog
// asks itself about the name it shows.
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
  EXPECT_EQ(Note(1).edits, std::vector<NoteWindow::BodyEdit>{NoteWindow::BodyEdit::kCopy});
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
