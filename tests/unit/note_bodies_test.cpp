// Bodies: only a changed or missing body is written, one that could not be read at start never
// is; the body-load record's file format and the texts that name a set-aside body. The record's
// flow is driven by the simulation.
#include <gtest/gtest.h>

#include "fake_note_window.h"
#include "fault_files.h"
#include "shell/restore.h"
#include "store/body_load_marker.h"
#include "store/data_folder.h"

namespace velumbrino {
namespace {

// Reads of note 1's body fail although it is there (held open by another program).
class HeldBodyFiles : public testing::FullDiskFileSystem {
 public:
  HeldBodyFiles() { writes_left = -1; }
  std::optional<std::string> ReadFile(const std::string& path) override {
    if (path.ends_with("stickie1.vmb")) return std::nullopt;
    return FullDiskFileSystem::ReadFile(path);
  }
};

TEST(NoteBodies, OnlyChangedOrMissingBodiesAreWrittenAndAnUnreadableOneNever) {
  testing::TempFolder dir;
  dir.Write("indice.dat", ",1,2,3,\r\n");
  for (const char* n : {"1", "2", "3"}) dir.Write(BodyFileName(n), std::string("corpo ") + n);
  HeldBodyFiles files;
  testing::FakeNoteWindowFactory factory(files);
  NoteCollection notes(files, factory, dir.Path());
  RestoreNotes(notes, {});
  auto note = [&](int n) -> testing::FakeNoteState& { return *factory.created[n - 1]; };
  EXPECT_EQ(note(1).set_aside_text, UnreadableBodyText("stickie1.vmb"));
  ASSERT_TRUE(notes.SaveAllNotes());

  note(1).body = note(2).body = "digitado";  // typed in (note 1 only if it were writable)
  note(3).marked_modified = true;            // a file the user chose was loaded into note 3
  ASSERT_TRUE(notes.SaveNote(2));            // the autosave
  ASSERT_TRUE(notes.SaveAllNotes());
  EXPECT_EQ((std::vector{note(1).saves, note(2).saves, note(3).saves}), (std::vector{0, 1, 1}));
  EXPECT_EQ(dir.Read("stickie1.vmb"), "corpo 1");

  // A body file that is gone is written again, and so is a new note's.
  std::filesystem::remove(dir.Path() + "stickie2.vmb");
  NoteWindow& fresh = notes.CreateNote(std::to_string(notes.NextNoteNumber()), true, {});
  ASSERT_TRUE(notes.SaveAllNotes());
  EXPECT_EQ(dir.Read("stickie2.vmb"), "digitado");
  EXPECT_TRUE(dir.Exists(BodyFileName(fresh.Tag())));
}

TEST(LoadMarkerFormat, ParsesWhatItWritesAndSkipsWhatItDoesNot) {
  const struct {
    std::string bytes;
    std::optional<int> loading;
    std::set<int> set_aside;
  } cases[] = {
      {"", std::nullopt, {}},
      {"carregando = 4\rseparada=2\nseparada=2\r\n", 4, {2}},
      {"separada=0\r\nseparada=-3\r\nseparada=x\r\ncarregando=\r\nlixo\r\n", std::nullopt, {}},
      {"CARREGANDO=5\r\nseparada=7", std::nullopt, {7}},
  };
  for (const auto& c : cases) {
    const LoadMarkerContents parsed = ParseLoadMarker(c.bytes);
    EXPECT_EQ(std::pair(parsed.loading, parsed.set_aside), std::pair(c.loading, c.set_aside))
        << c.bytes;
    EXPECT_EQ(ParseLoadMarker(FormatLoadMarker(parsed)).set_aside, c.set_aside);
  }
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
