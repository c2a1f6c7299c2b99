// A full disk: saves report failure, every file keeps its previous complete content, and the
// next save once there is room again writes everything.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>

#include "fake_note_window.h"
#include "fault_files.h"
#include "shell/restore.h"

namespace velumbrino {
namespace {

using testing::BodyOf;
using testing::FakeNoteWindowFactory;
using testing::FullDiskFileSystem;
using testing::TempFolder;
using testing::WriteBodies;

constexpr int kNotes = 4;

class FullDiskTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_.Write("indice.dat", ",1,2,3,4,\r\n");
    dir_.Write("config.cfg", "[Indice]\r\nTotalForms=4\r\n[1]\r\nTop=15\r\nTitulo=velho\r\n");
    WriteBodies(dir_, kNotes);
    files_.writes_left = -1;
    notes_ = std::make_unique<NoteCollection>(files_, factory_, dir_.Path());
    ASSERT_EQ(RestoreNotes(*notes_, {}), kNotes);
    for (int n = 1; n <= kNotes; ++n) {
      auto& note = *factory_.created[n - 1];
      note.title = "novo " + std::to_string(n);
      note.top = 1000 * n;
      note.body = "{\\rtf1 novo " + std::to_string(n) + "}";
    }
    before_ = Snapshot();
  }
  std::map<std::string, std::string> Snapshot() const {
    std::map<std::string, std::string> files;
    for (const auto& entry : std::filesystem::directory_iterator(dir_.Path())) {
      files[entry.path().filename().string()] = dir_.Read(entry.path().filename().string());
    }
    return files;
  }
  // Each file is either exactly as before or exactly as the successful save writes it.
  void ExpectOldOrNew(const std::map<std::string, std::string>& after) {
    ASSERT_EQ(after.size(), before_.size()) << "no file appears or disappears";
    for (const auto& [name, bytes] : after) {
      if (bytes == before_.at(name)) continue;
      if (name == "indice.dat") {
        EXPECT_EQ(bytes, ",4,3,2,1,\r\n");
      } else if (name == "config.cfg") {
        EXPECT_NE(bytes.find("Titulo=novo 1\r\n"), std::string::npos);
        EXPECT_NE(bytes.find("[4]\r\nTop=4000\r\n"), std::string::npos);
      } else {
        const std::string n = name.substr(7, name.size() - 11);  // stickie<n>.vmb
        EXPECT_EQ(bytes, "{\\rtf1 novo " + n + "}") << name;
      }
    }
  }
  void ExpectEverythingSaved() {
    EXPECT_EQ(dir_.Read("indice.dat"), ",4,3,2,1,\r\n");
    const std::string config = dir_.Read("config.cfg");
    for (int n = 1; n <= kNotes; ++n) {
      EXPECT_NE(config.find("Titulo=novo " + std::to_string(n)), std::string::npos) << n;
      EXPECT_EQ(dir_.Read("stickie" + std::to_string(n) + ".vmb"),
                "{\\rtf1 novo " + std::to_string(n) + "}");
    }
  }

  TempFolder dir_;
  FullDiskFileSystem files_;
  FakeNoteWindowFactory factory_{files_};
  std::unique_ptr<NoteCollection> notes_;
  std::map<std::string, std::string> before_;
};

TEST_F(FullDiskTest, NothingFitsThenEverythingDoes) {
  files_.writes_left = 0;
  files_.partial_bytes = 5;
  EXPECT_FALSE(notes_->SaveAllNotes());
  EXPECT_EQ(Snapshot(), before_);
  EXPECT_FALSE(notes_->SaveNote(2));
  EXPECT_EQ(notes_->NextNoteNumber(), 0);  // no number is handed out that the index lacks
  EXPECT_EQ(Snapshot(), before_);
  // The settings cache must still hold what the disk holds, not the failed edits.
  EXPECT_EQ(notes_->Settings().ReadIniValue("1", "Titulo", ""), "velho");

  files_.writes_left = -1;
  EXPECT_TRUE(notes_->SaveAllNotes());
  ExpectEverythingSaved();
}

TEST_F(FullDiskTest, DiskFillsAfterEachNumberOfWrites) {
  // A save writes 4 bodies, config.cfg and the index: fill the disk after each of them.
  for (int k = 0; k <= kNotes + 1; ++k) {
    // Each round the user has edited every body again, so every body is written.
    for (const auto& note : factory_.created) note->marked_modified = true;
    files_.writes_left = k;
    files_.partial_bytes = 3;
    EXPECT_FALSE(notes_->SaveAllNotes()) << k;
    ExpectOldOrNew(Snapshot());
    // Restore from what is on disk: every note is there, none lost its body.
    FakeNoteWindowFactory check_factory(StdFileSystem());
    NoteCollection check(StdFileSystem(), check_factory, dir_.Path());
    ASSERT_EQ(RestoreNotes(check, {}), kNotes) << k;
    for (const auto& note : check_factory.created) EXPECT_FALSE(note->body.empty());
  }
  files_.writes_left = -1;
  EXPECT_TRUE(notes_->SaveAllNotes());
  ExpectEverythingSaved();
}

}  // namespace
}  // namespace velumbrino
