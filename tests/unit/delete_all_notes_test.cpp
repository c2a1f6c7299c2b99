// Deleting every note: only the program's own files go, also those of notes the index names
// without a window. A note whose body is held open staying whole is driven by the simulation.
#include <gtest/gtest.h>

#include <filesystem>
#include <set>

#include "dialogs/delete_notes.h"
#include "fake_note_window.h"
#include "fault_files.h"
#include "temp_folder.h"

namespace velumbrino {
namespace {

using testing::FakeNoteWindowFactory;
using testing::FullDiskFileSystem;
using testing::TempFolder;

// The standard file system, except that chosen files cannot be removed or renamed (open in
// another program) and, optionally, folders cannot be listed.
class StubbornFiles : public FullDiskFileSystem {
 public:
  StubbornFiles() { writes_left = -1; }
  std::set<std::string> undeletable;  // file names
  bool can_list = true;

  bool RemoveFile(const std::string& path) override {
    return !undeletable.count(std::filesystem::path(path).filename().string()) &&
           FullDiskFileSystem::RemoveFile(path);
  }
  bool Rename(const std::string& from, const std::string& to) override {
    return !undeletable.count(std::filesystem::path(from).filename().string()) &&
           FullDiskFileSystem::Rename(from, to);
  }
  std::optional<std::vector<std::string>> ListFiles(const std::string& folder) override {
    if (!can_list) return std::nullopt;
    return FullDiskFileSystem::ListFiles(folder);
  }
};

class DeleteAllNotesTest : public ::testing::Test {
 protected:
  // Notes 1..titles.size() with bodies and index, each window open.
  void OpenNotes(const std::vector<std::string>& titles) {
    std::string index = ",";
    for (std::size_t i = 0; i < titles.size(); ++i) {
      const std::string number = std::to_string(i + 1);
      dir_.Write("stickie" + number + ".vmb", "{\\rtf1 " + number + "}");
      index += number + ",";
      NoteWindow& window = notes_.CreateNote(number, false, {}, /*show=*/false);
      window.SetTitle(titles[i]);
    }
    dir_.Write("indice.dat", index + "\r\n");
    dir_.Write("config.cfg", "[Indice]\r\nTotalForms=" + std::to_string(titles.size()) + "\r\n");
  }
  std::set<std::string> FolderContents() {
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(dir_.Path())) {
      names.insert(std::filesystem::relative(entry.path(), dir_.Path()).generic_string());
    }
    return names;
  }

  TempFolder dir_;
  StubbornFiles files_;
  FakeNoteWindowFactory factory_{files_};
  NoteCollection notes_{files_, factory_, dir_.Path()};
};

TEST_F(DeleteAllNotesTest, DeleteAllRemovesOnlyOurFilesAndRestartsNumbering) {
  OpenNotes({"um", "dois"});
  dir_.Write("stickie7.vmb", "stray body");
  dir_.Write("config.cfg.~9.tmp", "leftover");
  dir_.Write("lista.txt", "compras");
  dir_.Write("Stickie1.vmb.bak", "user's copy");
  std::filesystem::create_directory(dir_.Path() + "fotos");
  dir_.Write("fotos/stickie3.vmb", "kept in a subfolder");

  int pumped = 0;
  EXPECT_EQ(DeleteFailureMessage(DeleteAllNotes(notes_, [&] { ++pumped; })), "");
  EXPECT_EQ(pumped, 2);
  EXPECT_EQ(notes_.Count(), 0);
  EXPECT_TRUE(factory_.created[0]->closed && factory_.created[1]->closed);
  EXPECT_EQ(FolderContents(), (std::set<std::string>{"lista.txt", "Stickie1.vmb.bak", "fotos",
                                                     "fotos/stickie3.vmb"}));

  EXPECT_EQ(notes_.NextNoteNumber(), 1);
  EXPECT_EQ(dir_.Read("indice.dat"), ",1,\r\n");
}

TEST_F(DeleteAllNotesTest, DeleteAllWithoutListingStillRemovesWhatTheIndexNames) {
  OpenNotes({"um"});
  dir_.Write("indice.dat", ",1,5,\r\n");  // note 5 lost its window in a crash
  dir_.Write("stickie5.vmb", "x");
  dir_.Write("lista.txt", "compras");
  files_.can_list = false;
  EXPECT_EQ(DeleteFailureMessage(DeleteAllNotes(notes_)), "");
  EXPECT_EQ(FolderContents(), (std::set<std::string>{"lista.txt"}));
}

TEST_F(DeleteAllNotesTest, IndexThatCannotBeRemovedStillGivesNumberOne) {
  OpenNotes({"um", "dois"});
  dir_.Write("lixo.txt.~1.tmp", "not ours");
  files_.undeletable = {"indice.dat", "config.cfg"};
  const DeleteOutcome outcome = DeleteAllNotes(notes_);
  EXPECT_TRUE(outcome.kept_notes.empty());
  EXPECT_EQ(outcome.kept_files, (std::vector<std::string>{"config.cfg", "indice.dat"}));
  EXPECT_EQ(notes_.Count(), 0);
  EXPECT_NE(DeleteFailureMessage(outcome).find("config.cfg"), std::string::npos);
  EXPECT_EQ(notes_.NextNoteNumber(), 1);
  EXPECT_EQ(dir_.Read("indice.dat"), ",1,\r\n");
}

}  // namespace
}  // namespace velumbrino
