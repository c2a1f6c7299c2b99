// Damaged config.cfg: restore brings back every note of the index with safe defaults for what
// cannot be read, and the save that follows keeps every line it does not own.
#include <gtest/gtest.h>

#include <climits>
#include <random>
#include <tuple>

#include "fake_note_window.h"
#include "fault_files.h"
#include "shell/restore.h"

namespace velumbrino {
namespace {

using testing::BodyOf;
using testing::FakeNoteState;
using testing::FakeNoteWindowFactory;
using testing::TempFolder;
using testing::WriteBodies;
using namespace std::string_literals;

constexpr int kDefaultTop = FakeNoteState{}.top;
constexpr int kDefaultLeft = FakeNoteState{}.left;

class DamagedSettingsTest : public ::testing::Test {
 protected:
  // Restores notes 1..3 from `config`, saves everything and checks that each note came back
  // with its body and that no body was lost.
  void RestoreAndSave(const std::string& config) {
    dir_.Write("indice.dat", ",1,2,3,\r\n");
    dir_.Write("config.cfg", config);
    WriteBodies(dir_, 3);
    notes_ = std::make_unique<NoteCollection>(StdFileSystem(), factory_, dir_.Path());
    ASSERT_EQ(RestoreNotes(*notes_, {}), 3);
    ASSERT_TRUE(notes_->SaveAllNotes());
    for (int n = 1; n <= 3; ++n) {
      EXPECT_EQ(std::pair(Note(n).tag, Note(n).body), std::pair(std::to_string(n), BodyOf(n)));
      EXPECT_EQ(dir_.Read("stickie" + std::to_string(n) + ".vmb"), BodyOf(n));
    }
  }
  const FakeNoteState& Note(int n) const { return *factory_.created.at(n - 1); }
  // What the restore gave note n: title, top, left, window and body colours, alarm timer,
  // visible, alpha, pinned.
  auto Look(int n) const {
    const FakeNoteState& s = Note(n);
    return std::tuple(s.title, s.top, s.left, s.back, s.body_color, s.alarm, s.visible, s.alpha,
                      s.pinned);
  }
  std::string Ini(const std::string& section, const std::string& key) {
    return SettingsFile(StdFileSystem(), dir_.Path() + "config.cfg")
        .ReadIniValue(section, key, "<none>");
  }

  TempFolder dir_;
  FakeNoteWindowFactory factory_{StdFileSystem()};
  std::unique_ptr<NoteCollection> notes_;
};

TEST_F(DamagedSettingsTest, BinaryGarbageAndNulBytes) {
  std::mt19937 random(7);
  std::string garbage;
  for (int i = 0; i < 64 * 1024; ++i) garbage += static_cast<char>(random() & 0xFF);
  RestoreAndSave(garbage + "\r\n[2]\r\nTitulo=dois\0meio\r\nTop=1\0\0\r\nLeft=\0\r\n\0\0\r\n"s);
  EXPECT_EQ(Note(2).title, "dois\0meio"s);
  EXPECT_EQ(Note(2).top, kDefaultTop);  // "1\0\0" is no number
  EXPECT_EQ(Note(2).left, kDefaultLeft);
  EXPECT_EQ(Note(1).alpha, 255);
  // The garbage before the first section is nobody's key: it stays as it was.
  EXPECT_EQ(dir_.Read("config.cfg").substr(0, garbage.size()), garbage);
}

TEST_F(DamagedSettingsTest, TenMegabyteLines) {
  const std::string huge(10 * 1024 * 1024, 'x');
  RestoreAndSave("[1]\r\nTitulo=" + huge + "\r\nExtra=" + huge + "\r\n" + huge +
                 "\r\n[2]\r\nTitulo=dois\r\n");
  EXPECT_EQ(Note(1).title, std::string(254, 'x'));  // reads stop at 254 characters
  EXPECT_EQ(Note(2).title, "dois");
  const std::string saved = dir_.Read("config.cfg");
  EXPECT_NE(saved.find("Extra=" + huge + "\r\n"), std::string::npos);
  EXPECT_NE(saved.find("\n" + huge + "\r\n[2]\r\n"), std::string::npos);
}

// Duplicate sections and keys answer from the first; keys outside any section are nobody's.
TEST_F(DamagedSettingsTest, DuplicatesAndKeysOutsideAnySection) {
  RestoreAndSave(
      "Top=5\r\nTitulo=solto\r\n=\r\n[]\r\nTop=7\r\n"
      "[1]\r\nTop=100\r\nTop=200\r\nTitulo=um\r\n[2]\r\nLeft=50\r\n[1]\r\nLeft=300\r\n"
      "Titulo=outro\r\n[2]\r\nTitulo=dois\r\n");
  EXPECT_EQ((std::vector{std::tuple(Note(1).title, Note(1).top, Note(1).left),
                         std::tuple(Note(2).title, Note(2).top, Note(2).left),
                         std::tuple(Note(3).title, Note(3).top, Note(3).left)}),
            (std::vector{std::tuple(std::string("um"), 100, kDefaultLeft),
                         std::tuple(std::string(), kDefaultTop, 50),
                         std::tuple(std::string(), kDefaultTop, kDefaultLeft)}));
  EXPECT_EQ(dir_.Read("config.cfg").substr(0, 25), "Top=5\r\nTitulo=solto\r\n=\r\n[");
}

// Numbers out of range and values that are no number or no boolean: defaults, and the stored
// text stays. Only the exact text "False" unpins; a visibility that is no boolean hides.
TEST_F(DamagedSettingsTest, BadValuesGiveDefaultsAndStayStored) {
  RestoreAndSave(
      "[Indice]\r\nTotalForms=-1\r\n"
      "[1]\r\nTop=-2147483648\r\nLeft=2147483647\r\nColor1=-1\r\nColor2=16777216\r\n"
      "Opacidade=-5\r\nOnTop=false\r\nVisivel=False\r\n"
      "[2]\r\nTop=99999999999999999999\r\nLeft=-99999999999\r\nColor1=4294967295\r\n"
      "Opacidade=2147483648\r\nOnTop=False\r\nVisivel=maybe\r\n"
      "[3]\r\nTop=-300\r\nLeft=-15\r\nColor1=16777215\r\nColor2=0\r\nOpacidade=11\r\n"
      "OnTop=1\r\nAlarm=sim\r\n");
  const Color window = kClassicWindowColor, body = kClassicBodyColor;
  // In range, however far off: the window keeps itself on screen.
  EXPECT_EQ(Look(1), std::tuple("", INT_MIN, INT_MAX, window, body, false, false, 255, true));
  EXPECT_TRUE(Note(1).kept_on_screen);
  EXPECT_EQ(Look(2),
            std::tuple("", kDefaultTop, kDefaultLeft, window, body, false, false, 255, false));
  EXPECT_EQ(Look(3), std::tuple("", -300, -15, 0xFFFFFFu, 0u, false, true, 255, true));
  EXPECT_EQ(Ini("1", "Top"), "-2147483648");
  EXPECT_EQ(Ini("3", "Color2"), "0");  // stored colours are the user's, never rewritten
}

TEST_F(DamagedSettingsTest, OnlyLineEndsOrNothing) {
  RestoreAndSave("\r\r\n\n\r");
  RestoreAndSave("");
  EXPECT_EQ(Look(3), std::tuple("", kDefaultTop, kDefaultLeft, kClassicWindowColor,
                                kClassicBodyColor, false, true, 255, false));
  EXPECT_EQ(Ini("3", "Tag"), "3");
}

}  // namespace
}  // namespace velumbrino
