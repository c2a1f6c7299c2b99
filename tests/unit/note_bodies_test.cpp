// Bodies written by other programs: an untouched body is never rewritten, and a body whose
// load brought the program down is set aside at the next start instead of loaded again.
#include <gtest/gtest.h>

#include <algorithm>

#include "dialogs/delete_notes.h"
#include "fake_note_window.h"
#include "fault_files.h"
#include "shell/restore.h"
#include "store/body_load_marker.h"
#include "store/data_folder.h"
#include "temp_folder.h"

namespace velumbrino {
namespace {

using testing::FakeNoteWindowFactory;
using testing::TempFolder;

// The standard file system, noting what the marker file held whenever a body was read. (A
// failed save tried again is covered by the full-disk fault tests.)
class MarkerSpyFileSystem : public testing::FullDiskFileSystem {
 public:
  explicit MarkerSpyFileSystem(std::string marker_path) : marker_(std::move(marker_path)) {
    writes_left = -1;
  }
  std::optional<std::string> ReadFile(const std::string& path) override {
    if (path.ends_with(".vmb"))
      marker_at_load.push_back(FullDiskFileSystem::ReadFile(marker_).value_or("-"));
    return FullDiskFileSystem::ReadFile(path);
  }
  std::vector<std::string> marker_at_load;

 private:
  std::string marker_;
};

// What other programs write and the control could not write back.
const std::string kForeignBody =
    "{\\rtf1\\ansi\\trowd\\cellx1000 a\\cell b\\cell\\row "
    "{\\field{\\*\\fldinst HYPERLINK \"x\"}{\\fldrslt link}} \\u945?\\par}\r\n";

class NoteBodiesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_.Write("indice.dat", ",1,2,3,\r\n");
    dir_.Write("config.cfg", "[1]\r\nTitulo=um\r\n[2]\r\nTitulo=dois\r\n[3]\r\nTitulo=tres\r\n");
    for (const char* n : {"1", "2", "3"}) dir_.Write(Body(n), kForeignBody + n);
  }
  static std::string Body(const std::string& n) { return "stickie" + n + ".vmb"; }
  // A start: restores every note and returns the note newly set aside.
  std::optional<int> Start() {
    factory_.created.clear();
    notes_ = std::make_unique<NoteCollection>(files_, factory_, dir_.Path());
    NoteRestorer restorer(*notes_, DefaultFont{});
    while (!restorer.Done()) restorer.RestoreNext();
    return restorer.NewlySetAside();
  }
  testing::FakeNoteState& Note(int position) { return *factory_.created.at(position - 1); }
  // Whether each of the three notes had its body loaded.
  std::vector<bool> Loaded() {
    std::vector<bool> loaded;
    for (int p = 1; p <= 3; ++p) {
      loaded.push_back(std::ranges::count(Note(p).log, std::string("load")) > 0);
    }
    return loaded;
  }

  TempFolder dir_;
  MarkerSpyFileSystem files_{dir_.Path() + kLoadMarkerFileName};
  FakeNoteWindowFactory factory_{files_};
  std::unique_ptr<NoteCollection> notes_;
};

TEST_F(NoteBodiesTest, UntouchedBodiesKeepTheirBytesAndChangedOnesAreWritten) {
  Start();
  ASSERT_TRUE(notes_->SaveAllNotes());
  ASSERT_TRUE(notes_->SaveNote(1));
  for (int position = 1; position <= 3; ++position) EXPECT_EQ(Note(position).saves, 0);
  EXPECT_EQ(dir_.Read(Body("1")), kForeignBody + "1");

  Note(2).body = "{\\rtf1 digitado}";  // the user typed in note 2
  Note(3).marked_modified = true;      // a file the user chose was loaded into note 3
  ASSERT_TRUE(notes_->SaveNote(2));    // the autosave
  ASSERT_TRUE(notes_->SaveAllNotes());
  // Note 2 is saved once: unchanged since the autosave.
  EXPECT_EQ((std::vector<int>{Note(1).saves, Note(2).saves, Note(3).saves}),
            (std::vector<int>{0, 1, 1}));
  EXPECT_EQ(dir_.Read(Body("2")), "{\\rtf1 digitado}");

  // A body file that is gone is written again, and so is a new note's.
  std::filesystem::remove(dir_.Path() + Body("1"));
  NoteWindow& fresh = notes_->CreateNote(std::to_string(notes_->NextNoteNumber()), true, {});
  ASSERT_TRUE(notes_->SaveAllNotes());
  EXPECT_EQ(dir_.Read(Body("1")), kForeignBody + "1");
  EXPECT_TRUE(dir_.Exists(Body(fresh.Tag())));
}

TEST_F(NoteBodiesTest, MarkerNamesEachNoteWhileItsBodyLoadsAndIsGoneAfter) {
  EXPECT_FALSE(Start());
  EXPECT_EQ(files_.marker_at_load,
            (std::vector<std::string>{"carregando=1\r\n", "carregando=2\r\n", "carregando=3\r\n"}));
  EXPECT_FALSE(dir_.Exists(kLoadMarkerFileName));
}

TEST_F(NoteBodiesTest, ABodyWhoseLoadNeverReturnedIsSetAsideUntilItsNoteIsDeleted) {
  dir_.Write(kLoadMarkerFileName, "carregando=2\r\n");  // the last start died loading note 2
  EXPECT_EQ(Start(), 2);
  EXPECT_EQ(Loaded(), (std::vector<bool>{true, false, true}));
  EXPECT_NE(Note(2).set_aside_text.find("stickie2.vmb"), std::string::npos);
  EXPECT_EQ(Note(2).title, "dois");
  // The marker now lists the note as set aside, and what loads meanwhile.
  EXPECT_EQ(files_.marker_at_load, (std::vector<std::string>{"carregando=1\r\nseparada=2\r\n",
                                                             "carregando=3\r\nseparada=2\r\n"}));
  EXPECT_EQ(dir_.Read(kLoadMarkerFileName), "separada=2\r\n");

  Note(2).body = "{\\rtf1 nunca}";  // whatever the window holds is never written
  ASSERT_TRUE(notes_->SaveNote(2));
  ASSERT_TRUE(notes_->SaveAllNotes());
  EXPECT_EQ(dir_.Read(Body("2")), kForeignBody + "2");

  // Still aside at the next start, but the user was told already.
  EXPECT_EQ(Start(), std::nullopt);
  EXPECT_FALSE(Loaded()[1]);
  EXPECT_FALSE(Note(2).set_aside_text.empty());

  notes_->DeleteNote(2, notes_->FindNoteWindow(2));
  EXPECT_FALSE(dir_.Exists(Body("2")));
  EXPECT_FALSE(dir_.Exists(kLoadMarkerFileName));
}

TEST_F(NoteBodiesTest, SetAsideNotesAreForgottenWhenTheirFileOrIndexEntryIsGone) {
  dir_.Write(kLoadMarkerFileName, "separada=1\r\nseparada=3\r\nseparada=9\r\n");
  std::filesystem::remove(dir_.Path() + Body("1"));  // the user removed the bad file
  Start();
  EXPECT_TRUE(Note(1).set_aside_text.empty());
  EXPECT_FALSE(Note(3).set_aside_text.empty());
  EXPECT_EQ(dir_.Read(kLoadMarkerFileName), "separada=3\r\n");  // 9 is no note
}

TEST_F(NoteBodiesTest, ASecondFallWhileASetAsideNoteExistsAddsTheNewOne) {
  dir_.Write(kLoadMarkerFileName, "carregando=3\r\nseparada=1\r\n");
  EXPECT_EQ(Start(), 3);
  EXPECT_EQ(Loaded(), (std::vector<bool>{false, true, false}));
  EXPECT_EQ(dir_.Read(kLoadMarkerFileName), "separada=1\r\nseparada=3\r\n");
}

TEST(LoadMarkerFormat, ParsesWhatItWritesAndSkipsWhatItDoesNot) {
  const struct {
    std::string bytes;
    std::optional<int> loading;
    std::set<int> set_aside;
  } cases[] = {
      {"", std::nullopt, {}},
      {"carregando=4\r\n", 4, {}},
      {"carregando = 4\rseparada=2\nseparada=2\r\n", 4, {2}},
      {"separada=0\r\nseparada=-3\r\nseparada=x\r\ncarregando=\r\nlixo\r\n", std::nullopt, {}},
      {"CARREGANDO=5\r\nseparada=7", std::nullopt, {7}},
  };
  for (const auto& c : cases) {
    const LoadMarkerContents parsed = ParseLoadMarker(c.bytes);
    EXPECT_EQ(parsed.loading, c.loading) << c.bytes;
    EXPECT_EQ(parsed.set_aside, c.set_aside) << c.bytes;
    EXPECT_EQ(ParseLoadMarker(FormatLoadMarker(parsed)).set_aside, c.set_aside);
  }
}

TEST(LoadMarkerFile, IsOneOfTheProgramsOwnFilesAndStaysWithKeptNotes) {
  for (const char* name : {"carregando.dat", "Carregando.DAT", "carregando.dat.~12-3.tmp"}) {
    EXPECT_TRUE(IsOwnDataFileName(name)) << name;
  }
  EXPECT_FALSE(IsOwnDataFileName("carregando.dat.bak"));
  TempFolder dir;
  dir.Write(kLoadMarkerFileName, "separada=1\r\n");
  dir.Write("stickie1.vmb", "x");
  EXPECT_TRUE(DeleteOwnFiles(StdFileSystem(), dir.Path(), {1}).empty());
  EXPECT_TRUE(dir.Exists(kLoadMarkerFileName));
  EXPECT_TRUE(DeleteOwnFiles(StdFileSystem(), dir.Path(), {}).empty());
  EXPECT_FALSE(dir.Exists(kLoadMarkerFileName));
}

TEST(SetAsideTexts, NameTheFileAndCutALongTitleAtACharacterBoundary) {
  EXPECT_EQ(SetAsideBodyText("stickie7.vmb"),
            "O texto desta nota não foi aberto porque fez o Velumbrino fechar; o arquivo "
            "stickie7.vmb foi guardado.");
  // 59 bytes and then "ç" (two) would pass the 60-byte room: the cut falls before it. A '%' in
  // a title or path is only text.
  const std::string title = std::string(59, 'a') + "ção e mais";
  EXPECT_EQ(SetAsideNotice(title, "C:\\100%s\\stickie7.vmb"),
            "A nota \"" + std::string(59, 'a') +
                "...\" não foi aberta: o texto dela fez o Velumbrino fechar ao ser carregado. O "
                "arquivo foi guardado sem alterações: C:\\100%s\\stickie7.vmb");
}

}  // namespace
}  // namespace velumbrino
