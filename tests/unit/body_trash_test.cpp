// A deleted note's body goes to the bin under its own name; a body that comes back to the data
// folder becomes a note again, never on the file of a live note (the round trip through the
// real bin is the end-to-end delete test).
#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <tuple>

#include "dialogs/delete_notes.h"
#include "fake_clock.h"
#include "fake_note_window.h"
#include "fault_files.h"
#include "shell/restore.h"
#include "store/body_trash.h"
#include "temp_folder.h"

namespace velumbrino {
namespace {

namespace fs = std::filesystem;
using testing::FakeNoteWindowFactory;
using testing::FullDiskFileSystem;
using testing::TempFolder;

std::set<std::string> FilesIn(const std::string& folder) {
  std::set<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder)) {
    if (entry.is_regular_file()) names.insert(entry.path().filename().string());
  }
  return names;
}

TEST(BodyTrashTest, BodiesNoIndexEntryNamesBecomeNewNotes) {
  struct Case {
    const char* what;
    std::string index;
    std::vector<std::pair<std::string, std::string>> files;
    std::string index_after;
    std::set<std::string> files_after;  // besides indice.dat and config.cfg
    std::vector<std::string> titles;    // with the bodies of the new notes, in order
    std::vector<std::string> bodies;
  };
  const std::string damaged("\0\xff{\\rtf1 cort", 12);
  const std::vector<Case> cases{
      {"number free; a .vmb of the user's own is left alone",
       ",1,3,",
       {{"stickie1.vmb", "1"}, {"stickie3.vmb", "3"}, {"Compras 2026-12-07 09h30m00.vmb", "c"},
        {"Minha nota.VMB", "m"}, {"stickie07.vmb", "s"}},
       ",1,3,2,",
       {"stickie1.vmb", "stickie2.vmb", "stickie3.vmb", "Minha nota.VMB", "stickie07.vmb"},
       {"Compras"},
       {"c"}},
      {"its old number taken by a live note, the next one by the load record",
       ",1,2,",
       {{"stickie1.vmb", "1"}, {"stickie2.vmb", "2"}, {"carregando.dat", "separada=3\r\n"},
        {"dois 2026-12-07 09h30m00 (2).vmb", "d"}},
       ",1,2,4,",
       {"carregando.dat", "stickie1.vmb", "stickie2.vmb", "stickie4.vmb"},
       {"dois"},
       {"d"}},
      {"bodies left by an earlier failure",
       ",1,",
       {{"stickie1.vmb", "1"}, {"stickie2.vmb", "o2"}, {"stickie5.vmb", "o5"}},
       ",1,2,3,",
       {"stickie1.vmb", "stickie2.vmb", "stickie3.vmb"},
       {"stickie2", "stickie5"},
       {"o2", "o5"}},
      {"damaged body", ",", {{"x 2000-01-01 00h00m00.vmb", damaged}}, ",1,", {"stickie1.vmb"},
       {"x"}, {damaged}},
      {"files that are not bodies",
       ",1,",
       {{"stickie1.vmb", "1"}, {"lista.txt", "l"}, {"stickie1.vmb.bak", "b"},
        {"stickie2.vmb.~3.tmp", "t"}},
       ",1,",
       {"stickie1.vmb", "lista.txt", "stickie1.vmb.bak", "stickie2.vmb.~3.tmp"},
       {},
       {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TempFolder dir;
    dir.Write("indice.dat", c.index + "\r\n");
    dir.Write("config.cfg", "[2]\r\nTop=1\r\nOpacidade=3\r\nAlarm=1\r\n");
    for (const auto& [name, bytes] : c.files) dir.Write(name, bytes);
    fs::create_directory(dir.Path() + "Backup");
    dir.Write("Backup/stickie9.vmb", "copy");
    FakeNoteWindowFactory factory(StdFileSystem());
    NoteCollection notes(StdFileSystem(), factory, dir.Path());

    EXPECT_EQ(AdoptBodies(notes), c.titles);
    EXPECT_EQ(dir.Read("indice.dat"), c.index_after + "\r\n");
    std::set<std::string> expected = c.files_after;
    expected.insert({"indice.dat", "config.cfg"});
    EXPECT_EQ(FilesIn(dir.Path()), expected);

    // Restored like every note: titled, with its bytes, shown at the new-note place, with none
    // of the stale keys its number's section kept.
    RestoreNotes(notes, {});
    const int first_new = notes.Count() - static_cast<int>(c.titles.size()) + 1;
    for (std::size_t i = 0; i < c.titles.size(); ++i) {
      const auto& state = *factory.created[first_new - 1 + i];
      EXPECT_EQ(std::tuple(state.title, state.body, state.top, state.visible),
                std::tuple(c.titles[i], c.bodies[i], 3510, true));
      EXPECT_EQ(notes.Settings().ReadIniValue(state.tag, "Opacidade", "-"), "-");
    }
  }
}

// Recycling moves the file into a "bin" folder beside the data folder, or fails for chosen
// names as a bin and a delete that both refuse would.
class BinFiles : public FullDiskFileSystem {
 public:
  explicit BinFiles(std::string bin) : bin_(std::move(bin)) { writes_left = -1; }
  bool refuse = false;
  bool RecycleFile(const std::string& path) override {
    return !refuse && Rename(path, bin_ + fs::path(path).filename().string());
  }

 private:
  std::string bin_;
};

TEST(BodyTrashTest, DeletedBodyGoesToTheBinUnderTitleAndTimeOrStaysWithItsNote) {
  TempFolder dir;
  const std::string data = dir.Path() + "dados/", bin = dir.Path() + "lixeira/";
  fs::create_directories(data);
  fs::create_directories(bin);
  BinFiles files(bin);
  testing::FakeClock clock({2026, 12, 7, 9, 5, 3});
  FakeNoteWindowFactory factory(files);
  NoteCollection notes(files, factory, data);
  notes.SetClock(clock);
  dir.Write("dados/indice.dat", ",1,2,\r\n");
  dir.Write("dados/config.cfg", "[1]\r\nTitulo=\r\n[2]\r\nTitulo=a/b: c?\r\n");
  dir.Write("dados/stickie1.vmb", "um");
  dir.Write("dados/stickie2.vmb", "dois");
  RestoreNotes(notes, {});

  files.refuse = true;  // neither the bin nor a delete takes it: the note stays whole
  EXPECT_NE(DeleteFailureMessage(DeleteNotes(notes, {2})), "");
  EXPECT_EQ(FilesIn(data), (std::set<std::string>{"config.cfg", "indice.dat", "stickie1.vmb",
                                                  "stickie2.vmb"}));
  files.refuse = false;
  EXPECT_EQ(DeleteFailureMessage(DeleteNotes(notes, {2, 1})), "");
  EXPECT_EQ(FilesIn(data), (std::set<std::string>{"config.cfg", "indice.dat"}));
  EXPECT_EQ(dir.Read("lixeira/a_b_ c_ 2026-12-07 09h05m03.vmb"), "dois");
  EXPECT_EQ(dir.Read("lixeira/Nota 2026-12-07 09h05m03.vmb"), "um");
  EXPECT_EQ(TitleFromBodyFileName("a_b_ c_ 2026-12-07 09h05m03 (2).vmb"), "a_b_ c_");
  EXPECT_EQ(NotesCameBackNotice({"Nota", "", "3", "4", "5", "6", "7"}),
            "Estas notas voltaram:\nNota\n[Em Branco]\n3\n4\n5\ne mais 2.");
}

}  // namespace
}  // namespace velumbrino
