#include "shell/restore.h"

#include <gtest/gtest.h>

#include "fake_note_window.h"
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
  EXPECT_EQ(note.log, (std::vector<std::string>{"tag", "font", "hide", "title", "top", "left",
                                                "load", "color1", "color2", "alarm", "opacity",
                                                "show"}));
  EXPECT_EQ(note.back, 255u);
  EXPECT_EQ(note.body_color, 65280u);
  EXPECT_TRUE(note.alarm);
  EXPECT_EQ(note.alpha, 76);
  EXPECT_FALSE(note.pinned);
  EXPECT_TRUE(note.kept_on_screen);
  EXPECT_EQ(pauses_, 2);  // a paced step per note, and the one that ends the restore
}

TEST_F(RestoreTest, DefaultsOfEveryKeyRead) {
  dir_.Write("indice.dat", ",9,\r\n");
  ASSERT_EQ(Restore(), 1);
  const auto& note = *factory_.created[0];
  EXPECT_EQ(note.title, "");
  EXPECT_EQ(note.top, 3510);  // design position kept
  EXPECT_EQ(note.left, 4140);
  EXPECT_EQ(note.back, kClassicWindowColor);
  EXPECT_EQ(note.body_color, kClassicBodyColor);
  EXPECT_FALSE(note.alarm);
  EXPECT_TRUE(note.visible);
  EXPECT_EQ(note.alpha, 255);
  EXPECT_FALSE(note.pinned);
}

TEST_F(RestoreTest, PinRuleAndHiddenAndBadValues) {
  dir_.Write("indice.dat", ",1,2,3,\r\n");
  dir_.Write("config.cfg",
             "[1]\r\nOnTop=false\r\nVisivel=False\r\n"
             "[2]\r\nOnTop=False\r\nVisivel=maybe\r\nTop=abc\r\nColor1=-5\r\nOpacidade=11\r\n"
             "[3]\r\nOnTop=1\r\nAlarm=sim\r\nOpacidade=2.5\r\n");
  ASSERT_EQ(Restore(), 3);
  EXPECT_TRUE(factory_.created[0]->pinned);  // only the exact text "False" unpins
  EXPECT_FALSE(factory_.created[0]->visible);
  EXPECT_FALSE(factory_.created[1]->pinned);
  EXPECT_FALSE(factory_.created[1]->visible);  // not a boolean: stays hidden
  EXPECT_EQ(factory_.created[1]->top, 3510);
  EXPECT_EQ(factory_.created[1]->back, kClassicWindowColor);
  EXPECT_EQ(factory_.created[1]->alpha, 255);
  EXPECT_TRUE(factory_.created[2]->pinned);
  EXPECT_FALSE(factory_.created[2]->alarm);
  EXPECT_EQ(factory_.created[2]->alpha, 255);
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

// Reads of one file fail although it is there (locked by another program, too large).
class UnreadableBodyFiles : public FileSystem {
 public:
  explicit UnreadableBodyFiles(std::string unreadable) : unreadable_(std::move(unreadable)) {}
  std::optional<std::string> ReadFile(const std::string& path) override {
    if (path == unreadable_) return std::nullopt;
    return StdFileSystem().ReadFile(path);
  }
  bool WriteFileAtomic(const std::string& path, std::string_view bytes) override {
    return StdFileSystem().WriteFileAtomic(path, bytes);
  }
  bool FileExists(const std::string& path) override { return StdFileSystem().FileExists(path); }
  bool DirectoryExists(const std::string& path) override {
    return StdFileSystem().DirectoryExists(path);
  }
  bool CreateDirectories(const std::string& path) override {
    return StdFileSystem().CreateDirectories(path);
  }
  bool RemoveFile(const std::string& path) override { return StdFileSystem().RemoveFile(path); }
  std::optional<std::uint64_t> Stamp(const std::string& path) override {
    return StdFileSystem().Stamp(path);
  }

 private:
  std::string unreadable_;
};

TEST(RestoreUnreadableBody, TheStoredBodyIsNeverOverwrittenByAnEmptyOne) {
  testing::TempFolder dir;
  dir.Write("indice.dat", ",1,2,\r\n");
  dir.Write("stickie1.vmb", "{\\rtf1 precioso}");
  dir.Write("stickie2.vmb", "{\\rtf1 dois}");
  UnreadableBodyFiles files(dir.Path() + "stickie1.vmb");
  testing::FakeNoteWindowFactory factory(files);
  NoteCollection notes(files, factory, dir.Path());
  ASSERT_EQ(RestoreNotes(notes, {}), 2);
  factory.created[1]->body = "{\\rtf1 dois editado}";

  ASSERT_TRUE(notes.SaveAllNotes());
  ASSERT_TRUE(notes.SaveNote(1));
  EXPECT_EQ(dir.Read("stickie1.vmb"), "{\\rtf1 precioso}");
  EXPECT_EQ(dir.Read("stickie2.vmb"), "{\\rtf1 dois editado}");
}

}  // namespace
}  // namespace velumbrino
