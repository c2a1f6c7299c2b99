#include "shell/command_router.h"

#include <gtest/gtest.h>

#include "fake_note_window.h"
#include "temp_folder.h"

namespace velumbrino {
namespace {

using testing::FakeNoteState;
using testing::FakeNoteWindowFactory;
using testing::TempFolder;

class FakeServices : public ShellServices {
 public:
  bool ConfirmDeleteNote() override {
    ++questions;
    return answer_yes;
  }
  void PlaySoundFile(const std::string& path) override { sounds.push_back(path); }
  void ShowHelpTopic(const char* topic) override { topics.emplace_back(topic); }
  void ShowAbout() override { ++abouts; }
  void CloseProgram() override { ++closes; }
  void ProcessPendingMessages() override { ++pumps; }
  void ReportSaveFailure() override { ++failures; }

  bool answer_yes = false;
  int questions = 0, abouts = 0, closes = 0, pumps = 0, failures = 0;
  std::vector<std::string> sounds, topics;
};

class CommandRouterTest : public ::testing::Test {
 protected:
  CommandRouterTest() {
    dir_.Write("indice.dat", ",1,2,3,\r\n");
    for (const char* n : {"1", "2", "3"}) {
      notes_.CreateNote(n, false, {});
      dir_.Write(std::string("stickie") + n + ".vmb", "x");
    }
    state_.app_ready = true;
  }
  void Choose(int number, CommandId command) {
    state_.current_note_number = number;
    state_.current_note_window = notes_.FindNoteWindow(number);
    router_.Run(command);
  }
  std::string Ini(const std::string& section, const std::string& key) {
    return notes_.Settings().ReadIniValue(section, key, "<none>");
  }
  FakeNoteState& Note(int index) { return *factory_.created[static_cast<size_t>(index)]; }

  TempFolder dir_;
  FakeNoteWindowFactory factory_{StdFileSystem()};
  NoteCollection notes_{StdFileSystem(), factory_, dir_.Path()};
  AppState state_;
  DefaultFont font_;
  FakeServices services_;
  CommandRouter router_{notes_, state_, font_, services_, "C:\\Velumbrino\\"};
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
}

TEST_F(CommandRouterTest, NoteCommandWithoutACurrentNoteDoesNothing) {
  state_.current_note_window = 0;
  router_.Run(CommandId::kDeleteNote);
  state_.current_note_window = 7;
  router_.Run(CommandId::kClassic);
  EXPECT_EQ(services_.questions, 0);
  EXPECT_FALSE(dir_.Exists("config.cfg"));
}

TEST_F(CommandRouterTest, DeleteAsksFirstAndOnlyYesDeletes) {
  Choose(2, CommandId::kDeleteNote);
  EXPECT_EQ(services_.questions, 1);
  EXPECT_TRUE(services_.sounds.empty());
  EXPECT_EQ(notes_.Count(), 3);
  EXPECT_TRUE(dir_.Exists("stickie2.vmb"));
  EXPECT_EQ(dir_.Read("indice.dat"), ",1,2,3,\r\n");

  services_.answer_yes = true;
  Choose(2, CommandId::kDeleteNote);
  EXPECT_EQ(services_.sounds, (std::vector<std::string>{"C:\\Velumbrino\\excluir.wav"}));
  EXPECT_EQ(notes_.Count(), 2);
  EXPECT_FALSE(dir_.Exists("stickie2.vmb"));
  EXPECT_EQ(dir_.Read("indice.dat"), ",1,3,\r\n");
}

TEST_F(CommandRouterTest, OpacityClassicAndCustomColoursAreStoredAtOnce) {
  Choose(1, OpacityCommand(3));
  EXPECT_EQ(Note(0).alpha, 76);
  EXPECT_EQ(Ini("1", "Opacidade"), "3");

  Choose(1, CommandId::kClassic);
  EXPECT_EQ(Ini("1", "Color1"), "7595493");
  EXPECT_EQ(Ini("1", "Color2"), "8912895");
  EXPECT_EQ(Ini("1", "Opacidade"), "10");
  EXPECT_EQ(Note(0).alpha, 255);

  Note(1).color_choice = 20 | (100 << 8) | (200 << 16);
  Choose(2, CommandId::kCustomColor);
  EXPECT_EQ(Note(1).body_color, static_cast<Color>(20 | (100 << 8) | (200 << 16)));
  EXPECT_EQ(Note(1).back, static_cast<Color>(0 | (74 << 8) | (180 << 16)));
  EXPECT_EQ(Ini("2", "Color2"), std::to_string(20 | (100 << 8) | (200 << 16)));
  EXPECT_EQ(Ini("2", "Opacidade"), "<none>");

  // A cancelled dialog stores the colours the note already has.
  Choose(3, CommandId::kCustomColor);
  EXPECT_EQ(Ini("3", "Color1"), "7595493");
  EXPECT_EQ(Ini("3", "Color2"), "8912895");
}

TEST_F(CommandRouterTest, NewNoteShowAllHideAllAndTrayCommands) {
  router_.Run(CommandId::kNewNote);
  EXPECT_EQ(dir_.Read("indice.dat"), ",1,2,3,4,\r\n");
  ASSERT_EQ(notes_.Count(), 4);
  EXPECT_EQ(Note(3).title, "new");  // created while ready: placed and titled by the window
  EXPECT_TRUE(Note(3).visible);
  EXPECT_EQ(services_.sounds.back(), "C:\\Velumbrino\\novo.wav");

  router_.Run(CommandId::kHideAll);
  for (auto& note : factory_.created) EXPECT_FALSE(note->visible);
  router_.Run(CommandId::kShowAll);
  for (auto& note : factory_.created) EXPECT_TRUE(note->visible);
  EXPECT_EQ(services_.pumps, 8);

  router_.Run(CommandId::kHelp);
  router_.Run(CommandId::kSupport);
  EXPECT_EQ(services_.topics, (std::vector<std::string>{"velumbrino.htm", "suporte.htm"}));
  router_.Run(CommandId::kClose);
  EXPECT_EQ(services_.closes, 1);
}

TEST_F(CommandRouterTest, NoteMenuIsPreparedFromTheCurrentNote) {
  dir_.Write("config.cfg", "[2]\r\nOnTop=true\r\nOpacidade=4\r\n");
  state_.current_note_number = 2;
  state_.current_note_window = 2;
  Note(1).selection_length = 5;
  NoteMenuStates states = router_.PrepareNoteMenu();
  EXPECT_TRUE(states.pin_checked);
  EXPECT_EQ(states.opacity_level, 4);
  EXPECT_TRUE(states.cut_enabled && states.copy_enabled);

  state_.current_note_number = 1;
  state_.current_note_window = 1;
  states = router_.PrepareNoteMenu();
  EXPECT_FALSE(states.pin_checked);
  EXPECT_EQ(states.opacity_level, 10);
  EXPECT_FALSE(states.cut_enabled || states.copy_enabled);
}

}  // namespace
}  // namespace velumbrino
