#include "store/note_collection.h"

#include <gtest/gtest.h>

#include "fake_note_window.h"
#include "temp_folder.h"

namespace velumbrino {
namespace {

using testing::FakeNoteWindowFactory;
using testing::TempFolder;

class NoteCollectionTest : public ::testing::Test {
 protected:
  NoteCollection& Notes() {
    if (!notes_) notes_ = std::make_unique<NoteCollection>(StdFileSystem(), factory_, dir_.Path());
    return *notes_;
  }
  NoteWindow& Open(const std::string& number) { return Notes().CreateNote(number, false, {}); }
  std::string Ini(const std::string& section, const std::string& key) {
    return Notes().Settings().ReadIniValue(section, key, "<none>");
  }

  TempFolder dir_;
  FakeNoteWindowFactory factory_{StdFileSystem()};
  std::unique_ptr<NoteCollection> notes_;
};

// The index read as restore reads it (its first line, however damaged) and every open note: a
// new note takes a number neither has (it would overwrite that note's body), appended to the line.
TEST_F(NoteCollectionTest, NextNumberIsTheSmallestNeitherTheIndexNorAnOpenNoteHas) {
  dir_.Write("indice.dat", " 01,2,5 \r\n,3,\r\n");
  Open("3");  // its entry lost
  EXPECT_EQ(Notes().NextNoteNumber(), 4);
  EXPECT_EQ(Notes().NextNoteNumber(), 6);
  EXPECT_EQ(dir_.Read("indice.dat"), ",1,2,5,4,6,\r\n");
  dir_.Write("indice.dat", ",\r\n");  // every note deleted
  factory_.created.clear();
  notes_.reset();
  EXPECT_EQ(Notes().NextNoteNumber(), 1);
}

// The data folder removed while the program runs: a new note and the save at exit make it again.
TEST_F(NoteCollectionTest, NextNumberAndSaveAllInAVanishedFolder) {
  TempFolder parent;
  NoteCollection fresh(StdFileSystem(), factory_, parent.Path() + "removed/");
  EXPECT_EQ(fresh.NextNoteNumber(), 1);
  EXPECT_EQ(parent.Read("removed/indice.dat"), ",1,\r\n");
  NoteCollection none(StdFileSystem(), factory_, parent.Path() + "gone/deeper/");
  ASSERT_TRUE(none.SaveAllNotes());
  EXPECT_EQ(parent.Read("gone/deeper/indice.dat"), ",\r\n");
  EXPECT_EQ(none.Settings().ReadIniValue("Indice", "TotalForms", "x"), "0");
}

TEST_F(NoteCollectionTest, SaveAllWritesNewestFirstAndFlipsTheIndex) {
  dir_.Write("indice.dat", ",1,2,3,\r\n");
  for (const char* n : {"1", "2", "3"}) {
    NoteWindow& w = Open(n);
    w.SetTitle(std::string("nota ") + n);
    w.SetTop(100);
    w.SetLeft(200);
    w.SetVisible(std::string(n) != "2");
  }
  factory_.created[1]->body = "{\\rtf1 two}";
  ASSERT_TRUE(Notes().SaveAllNotes());

  EXPECT_EQ(dir_.Read("indice.dat"), ",3,2,1,\r\n");
  EXPECT_EQ(dir_.Read("stickie2.vmb"), "{\\rtf1 two}");
  EXPECT_EQ((std::vector{Ini("Indice", "TotalForms"), Ini("2", "Titulo"), Ini("2", "Visivel"),
                         Ini("3", "Visivel"), Ini("1", "Tag"), Ini("1", "Top")}),
            (std::vector<std::string>{"3", "nota 2", "False", "True", "1", "100"}));
  const std::string cfg = dir_.Read("config.cfg");
  EXPECT_LT(cfg.find("[3]"), cfg.find("[2]"));
  EXPECT_LT(cfg.find("[2]"), cfg.find("[1]"));
  EXPECT_NE(cfg.find("[3]\r\nTop=100\r\nLeft=200\r\nTag=3\r\nTitulo=nota 3\r\nVisivel=True\r\n"),
            std::string::npos);
}

TEST_F(NoteCollectionTest, DeleteMiddleNoteLeavesItsSectionsLayoutKeys) {
  dir_.Write("indice.dat", ",1,2,3,\r\n");
  dir_.Write("stickie2.vmb", "body");
  dir_.Write("config.cfg",
             "[Indice]\r\nTotalForms=3\r\n[2]\r\nTop=1\r\nLeft=2\r\nTag=2\r\nTitulo=t\r\n"
             "Visivel=True\r\nOnTop=True\r\nColor1=1\r\nColor2=2\r\nOpacidade=4\r\nAlarm=1\r\n"
             "Diariamente=0\r\nTocarSom=1\r\nSom=0\r\nPath=x\r\nData=01/01/2026\r\n"
             "Hora=10:00:00\r\nHoraAntes=09:59:00\r\n");
  for (const char* n : {"1", "2", "3"}) Open(n);
  Notes().DeleteNote(2, 2);

  // The index, body and window going are driven by the simulation; here, the exact keys left.
  EXPECT_EQ(dir_.Read("indice.dat"), ",1,3,\r\n");
  EXPECT_EQ(dir_.Read("config.cfg"),
            "[Indice]\r\nTotalForms=2\r\n[2]\r\nTop=1\r\nLeft=2\r\nTag=2\r\nTitulo=t\r\n"
            "Visivel=True\r\nOpacidade=4\r\n");
}

TEST_F(NoteCollectionTest, AlarmOnlyDeleteKeepsNoteColoursAndPin) {
  dir_.Write("indice.dat", ",5,\r\n");
  dir_.Write("stickie5.vmb", "body");
  dir_.Write("config.cfg", "[5]\r\nOnTop=True\r\nColor1=9\r\nAlarm=1\r\nHora=10:00:00\r\n");
  Open("5");
  Notes().DeleteNote(5, 0);
  EXPECT_EQ(dir_.Read("config.cfg"),
            "[5]\r\nOnTop=True\r\nColor1=9\r\n[Indice]\r\nTotalForms=1\r\n");
  EXPECT_TRUE(dir_.Exists("stickie5.vmb"));
  EXPECT_EQ(dir_.Read("indice.dat"), ",5,\r\n");
  EXPECT_FALSE(factory_.created[0]->closed);
}

TEST_F(NoteCollectionTest, PinToggleWritesAtOnceAndRepinsEveryPinnedNoteInOrder) {
  dir_.Write("indice.dat", ",1,2,3,\r\n");
  dir_.Write("config.cfg", "[1]\r\nOnTop=true\r\n[2]\r\nOnTop=False\r\n[3]\r\nOnTop=1\r\n");
  for (const char* n : {"1", "2", "3"}) Open(n);

  Notes().TogglePin(2);  // "False" -> pinned
  EXPECT_EQ(Ini("2", "OnTop"), "True");
  for (auto& state : factory_.created) EXPECT_TRUE(state->pinned) << state->tag;
  EXPECT_EQ(factory_.created[1]->focus_count, 1);

  Notes().TogglePin(1);  // lower-case "true" counts as pinned -> unpinned
  EXPECT_EQ(Ini("1", "OnTop"), "False");
  EXPECT_FALSE(factory_.created[0]->pinned);
  EXPECT_EQ(factory_.created[2]->pin_calls, 2);  // re-applied on every toggle
}

}  // namespace
}  // namespace velumbrino
