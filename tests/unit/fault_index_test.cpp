// Damaged indice.dat: every valid number brings its note back, nothing else does, and body
// files of numbers the index lost are never removed by the saves that follow.
#include <gtest/gtest.h>

#include "fake_note_window.h"
#include "fault_files.h"
#include "shell/restore.h"

namespace velumbrino {
namespace {

using testing::BodyOf;
using testing::FakeNoteWindowFactory;
using testing::TempFolder;
using testing::WriteBodies;
using namespace std::string_literals;

class DamagedIndexTest : public ::testing::Test {
 protected:
  std::vector<std::string> Restore(const std::string& index) {
    dir_.Write("indice.dat", index);
    dir_.Write("config.cfg", "[1]\r\nTitulo=um\r\n[2]\r\nTitulo=dois\r\n");
    WriteBodies(dir_, 5);
    notes_ = std::make_unique<NoteCollection>(StdFileSystem(), factory_, dir_.Path());
    RestoreNotes(*notes_, {});
    std::vector<std::string> tags;
    for (const auto& state : factory_.created) {
      tags.push_back(state->tag);
      EXPECT_EQ(state->body, dir_.Exists("stickie" + state->tag + ".vmb")
                                 ? BodyOf(std::stoi(state->tag))
                                 : "");
    }
    return tags;
  }
  // Saves, and checks that every body file written before is still there unchanged.
  void SaveKeepsEveryBody() {
    ASSERT_TRUE(notes_->SaveAllNotes());
    for (int n = 1; n <= 5; ++n) {
      EXPECT_EQ(dir_.Read("stickie" + std::to_string(n) + ".vmb"), BodyOf(n)) << n;
    }
  }

  TempFolder dir_;
  FakeNoteWindowFactory factory_{StdFileSystem()};
  std::unique_ptr<NoteCollection> notes_;
  using Tags = std::vector<std::string>;
};

// Letters, zero, negatives, repeats, missing commas, NUL bytes, numbers out of range, later
// lines: each restores exactly the notes it names, and the save that follows rewrites the
// index whole, newest first, without losing a body.
TEST_F(DamagedIndexTest, EveryValidNumberOfTheFirstLineAndNothingElse) {
  const std::pair<std::string, Tags> cases[] = {
      {",a,1,b2,0,-3,2,1,+,2,00,\r\n", {"1", "2"}},
      {"1,2, 3 ,,4", {"1", "2", "3", "4"}},
      {",2,\r,1,\n,3,", {"2"}},
      {",1\0,\0,2,99999999999,2147483647,\r\n"s, {"2", "2147483647"}},
  };
  for (const auto& [index, tags] : cases) {
    factory_.created.clear();
    EXPECT_EQ(Restore(index), tags) << index;
    SaveKeepsEveryBody();
    std::string saved = ",";
    for (auto tag = tags.rbegin(); tag != tags.rend(); ++tag) saved += *tag + ",";
    EXPECT_EQ(dir_.Read("indice.dat"), saved + "\r\n") << index;
  }
  EXPECT_EQ(factory_.created[0]->title, "dois");  // note 2 of the last line
  factory_.created.clear();
  EXPECT_EQ(Restore(""), Tags{});
  EXPECT_EQ(notes_->NextNoteNumber(), 1);
  EXPECT_EQ(dir_.Read("indice.dat"), ",1,\r\n");
}

TEST_F(DamagedIndexTest, MegabyteLinesStayFast) {
  std::string repeats = ",";
  while (repeats.size() < 1024 * 1024) repeats += "1,";
  EXPECT_EQ(Restore(repeats + "\r\n"), Tags{"1"});
  // A new note is appended to the damaged line; deleting note 1 then removes its every
  // occurrence from that megabyte of repeats.
  EXPECT_EQ(notes_->NextNoteNumber(), 2);
  notes_->CreateNote("2", true, {});
  notes_->DeleteNote(1, notes_->FindNoteWindow(1));
  EXPECT_EQ(dir_.Read("indice.dat"), ",2,\r\n");
  EXPECT_TRUE(dir_.Exists("stickie2.vmb"));

  factory_.created.clear();
  EXPECT_EQ(Restore(",3," + std::string(1024 * 1024, 'x') + ",4,"), (Tags{"3", "4"}));
  EXPECT_EQ(notes_->NextNoteNumber(), 1);
}

// Entries without their outer commas, blanks or leading zeros still name notes 1 and 2, and a
// new note must never take one of those numbers (it would overwrite that note's body), nor
// may deleting one note remove the other's entry.
TEST_F(DamagedIndexTest, NewNoteNeverTakesTheNumberOfARestoredNote) {
  for (const std::string index : {"1,2", "  1,2  ", ",01,2,", ", 1,2,"}) {
    factory_.created.clear();
    EXPECT_EQ(Restore(index + "\r\n"), (Tags{"1", "2"})) << index;
    const int number = notes_->NextNoteNumber();
    EXPECT_EQ(number, 3) << index;
    notes_->CreateNote(std::to_string(number), true, {});
    notes_->DeleteNote(1, notes_->FindNoteWindow(1));
    EXPECT_EQ(dir_.Read("indice.dat"), ",2,3,\r\n") << index;
    EXPECT_EQ(dir_.Read("stickie2.vmb"), BodyOf(2)) << index;
  }
}

TEST_F(DamagedIndexTest, NewNoteSkipsOpenNotesTheIndexLost) {
  EXPECT_EQ(Restore(",1,2,\r\n"), (Tags{"1", "2"}));
  dir_.Write("indice.dat", ",2,\r\n");  // note 1's entry lost meanwhile
  EXPECT_EQ(notes_->NextNoteNumber(), 3);
}

}  // namespace
}  // namespace velumbrino
