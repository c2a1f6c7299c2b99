#include "shell/restore.h"

#include <gtest/gtest.h>

#include <tuple>

#include "fake_note_window.h"
#include "fault_files.h"
#include "store/data_folder.h"
#include "temp_folder.h"

namespace velumbrino {
namespace {

using testing::FakeNoteWindowFactory;
using testing::TempFolder;

class RestoreTest : public ::testing::Test {
 protected:
  int Restore() {
    notes_ = std::make_unique<NoteCollection>(StdFileSystem(), factory_, dir_.Path());
    NoteRestorer restorer(*notes_, font_);
    while (!restorer.Done()) {
      ++pauses_;
      restorer.RestoreNext();
    }
    return restorer.Restored();
  }
  // What the restore gave the note at `index`: title, top, left, window and body colours,
  // alarm timer, visible, alpha, pinned.
  auto Look(int index) const {
    const testing::FakeNoteState& n = *factory_.created[static_cast<size_t>(index)];
    return std::tuple(n.title, n.top, n.left, n.back, n.body_color, n.alarm, n.visible, n.alpha,
                      n.pinned);
  }
  std::vector<std::string> Tags() const {
    std::vector<std::string> tags;
    for (const auto& state : factory_.created) tags.push_back(state->tag);
    return tags;
  }

  TempFolder dir_;
  FakeNoteWindowFactory factory_{StdFileSystem()};
  std::unique_ptr<NoteCollection> notes_;
  DefaultFont font_;
  int pauses_ = 0;
};

TEST_F(RestoreTest, AppliesStoredValuesInOrder) {
  dir_.Write("indice.dat", ",4,\r\n");
  dir_.Write("config.cfg",
             "[4]\r\nTop=10\r\nLeft=20\r\nTitulo=x\r\nColor1=255\r\nColor2=65280\r\n"
             "Alarm=1\r\nVisivel=True\r\nOpacidade=3\r\nOnTop=False\r\n");
  dir_.Write("stickie4.vmb", "{\\rtf1 four}");
  ASSERT_EQ(Restore(), 1);
  const auto& note = *factory_.created[0];
  EXPECT_EQ(note.log,
            (std::vector<std::string>{"tag", "font", "hide", "title", "top", "left", "load",
                                      "color1", "color2", "alarm", "opacity", "show"}));
  EXPECT_EQ(Look(0), std::tuple("x", 10, 20, 255u, 65280u, true, true, 76, false));
  EXPECT_TRUE(note.kept_on_screen);
  EXPECT_EQ(pauses_, 2);  // a paced step per note, and the one that ends the restore
}

TEST_F(RestoreTest, DefaultsOfEveryKeyRead) {
  dir_.Write("indice.dat", ",9,\r\n");
  ASSERT_EQ(Restore(), 1);
  // The design position is kept.
  EXPECT_EQ(Look(0), std::tuple("", 3510, 4140, kClassicWindowColor, kClassicBodyColor, false, true,
                                255, false));
}

TEST_F(RestoreTest, PinRuleAndHiddenAndBadValues) {
  dir_.Write("indice.dat", ",1,2,3,\r\n");
  dir_.Write("config.cfg",
             "[1]\r\nOnTop=false\r\nVisivel=False\r\n"
             "[2]\r\nOnTop=False\r\nVisivel=maybe\r\nTop=abc\r\nColor1=-5\r\nOpacidade=11\r\n"
             "[3]\r\nOnTop=1\r\nAlarm=sim\r\nOpacidade=2.5\r\n");
  ASSERT_EQ(Restore(), 3);
  // Only the exact text "False" unpins; a visibility that is no boolean stays hidden.
  const Color window = kClassicWindowColor, body = kClassicBodyColor;
  EXPECT_EQ(Look(0), std::tuple("", 3510, 4140, window, body, false, false, 255, true));
  EXPECT_EQ(Look(1), std::tuple("", 3510, 4140, window, body, false, false, 255, false));
  EXPECT_EQ(Look(2), std::tuple("", 3510, 4140, window, body, false, true, 255, true));
}

TEST_F(RestoreTest, TotalFormsNeitherCreatesNorDropsNotes) {
  dir_.Write("indice.dat", ",1,2,3,\r\n");
  dir_.Write("config.cfg", "[Indice]\r\nTotalForms=1\r\n");
  EXPECT_EQ(Restore(), 3);
  dir_.Write("indice.dat", ",\r\n");
  dir_.Write("config.cfg", "[Indice]\r\nTotalForms=5\r\n");
  factory_.created.clear();
  EXPECT_EQ(Restore(), 0);
}

TEST_F(RestoreTest, MissingIndexRestoresNothing) { EXPECT_EQ(Restore(), 0); }

}  // namespace
}  // namespace velumbrino
