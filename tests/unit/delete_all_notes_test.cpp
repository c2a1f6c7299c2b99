// Deleting every note: only the program's own files go, also those of notes the index names
// without a window, and what cannot be removed is named. Which notes go, the user's files
// staying and the body-load record staying with kept notes are driven by the simulation.
#include <gtest/gtest.h>

#include <filesystem>
#include <set>

#include "dialogs/delete_notes.h"
#include "fake_note_window.h"
#include "fault_files.h"
#include "store/data_folder.h"

namespace velumbrino {
namespace {

using testing::TempFolder;

// Chosen files cannot be removed or renamed (open in another program), and the folder may
// refuse to be listed.
class StubbornFiles : public testing::FullDiskFileSystem {
 public:
  StubbornFiles() { writes_left = -1; }
  std::set<std::string> undeletable;  // file names
  bool can_list = true;

  bool RemoveFile(const std::string& path) override {
    return !Held(path) && FullDiskFileSystem::RemoveFile(path);
  }
  bool Rename(const std::string& from, const std::string& to) override {
    return !Held(from) && FullDiskFileSystem::Rename(from, to);
  }
  std::optional<std::vector<std::string>> ListFiles(const std::string& folder) override {
    if (!can_list) return std::nullopt;
    return FullDiskFileSystem::ListFiles(folder);
  }

 private:
  bool Held(const std::string& path) {
    return undeletable.count(std::filesystem::path(path).filename().string()) > 0;
  }
};

class DeleteAllNotesTest : public ::testing::Test {
 protected:
  // Notes 1 and 2 open; the index also names note 5, whose window was lost in a crash.
  DeleteAllNotesTest() {
    for (const char* n : {"1", "2", "5"}) dir_.Write(BodyFileName(n), "{\\rtf1 corpo}");
    for (const char* n : {"1", "2"}) notes_.CreateNote(n, false, {}, /*show=*/false);
    dir_.Write("indice.dat", ",1,2,5,\r\n");
    dir_.Write("config.cfg", "[Indice]\r\nTotalForms=2\r\n");
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
  testing::FakeNoteWindowFactory factory_{files_};
  NoteCollection notes_{files_, factory_, dir_.Path()};
};

TEST_F(DeleteAllNotesTest, OnlyOurFilesGoAndNumberingStartsAgain) {
  for (const char* name : {"stickie7.vmb", "config.cfg.~9.tmp", "carregando.dat", "lista.txt",
                           "Stickie1.vmb.bak", "carregando.dat.bak", "lista.txt.~1.tmp"}) {
    dir_.Write(name, "x");
  }
  std::filesystem::create_directory(dir_.Path() + "fotos");
  dir_.Write("fotos/stickie3.vmb", "kept in a subfolder");

  EXPECT_EQ(DeleteFailureMessage(DeleteAllNotes(notes_)), "");
  EXPECT_EQ(notes_.Count(), 0);
  EXPECT_TRUE(factory_.created[0]->closed && factory_.created[1]->closed);
  EXPECT_EQ(FolderContents(),
            (std::set<std::string>{"lista.txt", "Stickie1.vmb.bak", "carregando.dat.bak",
                                   "lista.txt.~1.tmp", "fotos", "fotos/stickie3.vmb"}));
  EXPECT_EQ(notes_.NextNoteNumber(), 1);
  EXPECT_EQ(dir_.Read("indice.dat"), ",1,\r\n");
}

TEST_F(DeleteAllNotesTest, AFolderThatCannotBeListedAndFilesHeldOpenAreNamed) {
  files_.can_list = false;
  files_.undeletable = {"indice.dat", "config.cfg"};
  const DeleteOutcome outcome = DeleteAllNotes(notes_);
  EXPECT_TRUE(outcome.kept_notes.empty());
  EXPECT_EQ(outcome.kept_files, (std::vector<std::string>{"config.cfg", "indice.dat"}));
  EXPECT_NE(DeleteFailureMessage(outcome).find("config.cfg"), std::string::npos);
  EXPECT_EQ(FolderContents(), (std::set<std::string>{"config.cfg", "indice.dat"}));
  EXPECT_EQ(notes_.NextNoteNumber(), 1);
  EXPECT_EQ(dir_.Read("indice.dat"), ",1,\r\n");
}

}  // namespace
}  // namespace velumbrino
