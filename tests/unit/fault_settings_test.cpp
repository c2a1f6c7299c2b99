// Damaged config.cfg: restore brings back every note of the index with safe defaults for what
// cannot be read, and the save that follows keeps every line it does not own.
#include <gtest/gtest.h>

#include <climits>
#include <random>
#include <tuple>

#include "fake_note_window.h"
#include "fault_files.h"
#include "shell/restore.h"
#include "store/data_folder.h"

namespace velumbrino {
namespace {

using namespace std::string_literals;

TEST(DamagedSettings, DefaultsForWhatCannotBeReadAndForeignLinesKept) {
  std::mt19937 random(7);
  std::string garbage;
  for (int i = 0; i < 64 * 1024; ++i) garbage += static_cast<char>(random() & 0xFF);
  // Garbage and keys outside any section, duplicate sections and keys (the first answers),
  // NUL bytes, numbers out of range, values that are no number or no boolean.
  const std::string head = garbage + "\r\nTop=5\r\n[]\r\nTop=7\r\n";
  const std::string config =
      head +
      "[1]\r\nTop=-2147483648\r\nTop=200\r\nLeft=2147483647\r\nColor1=-1\r\nColor2=16777216\r\n"
      "Opacidade=-5\r\nOnTop=false\r\nVisivel=False\r\nTitulo=um\0meio\r\n"
      "[2]\r\nTop=99999999999999999999\r\nLeft=1\0\0\r\nColor1=4294967295\r\n"
      "Opacidade=2147483648\r\nOnTop=False\r\nVisivel=maybe\r\n"
      "[3]\r\nTop=-300\r\nLeft=-15\r\nColor1=16777215\r\nColor2=0\r\nOpacidade=11\r\n"
      "OnTop=1\r\nAlarm=sim\r\n[1]\r\nTitulo=outro\r\n"s;
  testing::TempFolder dir;
  dir.Write("indice.dat", ",1,2,3,4,\r\n");
  dir.Write("config.cfg", config);
  for (const char* n : {"1", "2", "3", "4"}) dir.Write(BodyFileName(n), n);
  testing::FakeNoteWindowFactory factory(StdFileSystem());
  NoteCollection notes(StdFileSystem(), factory, dir.Path());
  ASSERT_EQ(RestoreNotes(notes, {}), 4);
  ASSERT_TRUE(notes.SaveAllNotes());

  const auto look = [&](int n) {
    const testing::FakeNoteState& s = *factory.created.at(n - 1);
    EXPECT_EQ(std::pair(s.tag, s.body), std::pair(std::to_string(n), std::to_string(n)));
    return std::tuple(s.title, s.top, s.left, s.back, s.body_color, s.alarm, s.visible, s.alpha,
                      s.pinned);
  };
  const Color window = kClassicWindowColor, body = kClassicBodyColor;
  constexpr int top = testing::FakeNoteState{}.top, left = testing::FakeNoteState{}.left;
  // In range, however far off: the window keeps itself on screen. Only the exact text "False"
  // unpins; a visibility that is no boolean hides.
  EXPECT_EQ(look(1),
            std::tuple("um\0meio"s, INT_MIN, INT_MAX, window, body, false, false, 255, true));
  EXPECT_TRUE(factory.created[0]->kept_on_screen);
  EXPECT_EQ(look(2), std::tuple("", top, left, window, body, false, false, 255, false));
  EXPECT_EQ(look(3), std::tuple("", -300, -15, 0xFFFFFFu, 0u, false, true, 255, true));
  EXPECT_EQ(look(4), std::tuple("", top, left, window, body, false, true, 255, false));

  // Stored values are the user's, never rewritten; the garbage is nobody's and stays.
  EXPECT_TRUE(dir.Read("config.cfg").starts_with(head));
  SettingsFile saved(StdFileSystem(), dir.Path() + "config.cfg");
  EXPECT_EQ(std::tuple(saved.ReadIniValue("1", "Top", ""), saved.ReadIniValue("3", "Color2", ""),
                       saved.ReadIniValue("4", "Tag", "")),
            std::tuple("-2147483648", "0", "4"));
}

}  // namespace
}  // namespace velumbrino
