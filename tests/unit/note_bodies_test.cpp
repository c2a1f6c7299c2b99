// Bodies written by other programs: an untouched body is never rewritten. The body-load record
// that sets aside a body whose load brought the program down is driven by the simulation; here,
// its file format and the texts that name a set-aside body.
#include <gtest/gtest.h>

#include "dialogs/delete_notes.h"
#include "fake_note_window.h"
#include "shell/restore.h"
#include "store/body_load_marker.h"
#include "store/data_folder.h"
#include "temp_folder.h"

namespace velumbrino {
namespace {

using testing::FakeNoteWindowFactory;
using testing::TempFolder;

// What other programs write and the control could not write back.
const std::string kForeignBody =
    "{\\rtf1\\ansi\\trowd\\cellx1000 a\\cell b\\cell\\row "
    "{\\field{\\*\\fldinst HYPERLINK \"x\"}{\\fldrslt link}} \\u945?\\par}\r\n";

TEST(NoteBodies, UntouchedBodiesKeepTheirBytesAndChangedOnesAreWritten) {
  TempFolder dir;
  dir.Write("indice.dat", ",1,2,3,\r\n");
  for (const char* n : {"1", "2", "3"}) dir.Write(BodyFileName(n), kForeignBody + n);
  FakeNoteWindowFactory factory(StdFileSystem());
  NoteCollection notes(StdFileSystem(), factory, dir.Path());
  RestoreNotes(notes, {});
  auto note = [&](int position) -> testing::FakeNoteState& {
    return *factory.created[position - 1];
  };
  ASSERT_TRUE(notes.SaveAllNotes());
  ASSERT_TRUE(notes.SaveNote(1));
  EXPECT_EQ(dir.Read("stickie1.vmb"), kForeignBody + "1");

  note(2).body = "{\\rtf1 digitado}";  // the user typed in note 2
  note(3).marked_modified = true;      // a file the user chose was loaded into note 3
  ASSERT_TRUE(notes.SaveNote(2));      // the autosave
  ASSERT_TRUE(notes.SaveAllNotes());
  // Note 2 is saved once: unchanged since the autosave.
  EXPECT_EQ((std::vector<int>{note(1).saves, note(2).saves, note(3).saves}),
            (std::vector<int>{0, 1, 1}));

  // A body file that is gone is written again, and so is a new note's.
  std::filesystem::remove(dir.Path() + "stickie1.vmb");
  NoteWindow& fresh = notes.CreateNote(std::to_string(notes.NextNoteNumber()), true, {});
  ASSERT_TRUE(notes.SaveAllNotes());
  EXPECT_EQ(dir.Read("stickie1.vmb"), kForeignBody + "1");
  EXPECT_TRUE(dir.Exists(BodyFileName(fresh.Tag())));
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
