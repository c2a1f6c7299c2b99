#include "store/note_collection.h"

#include <gtest/gtest.h>

#include <climits>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <set>
#include <tuple>

#include "dialogs/delete_notes.h"
#include "fake_clock.h"
#include "fake_note_window.h"
#include "note/autosave.h"
#include "shell/daily_backup.h"
#include "shell/lifecycle.h"
#include "shell/restore.h"
#include "store/body_load_marker.h"
#include "store/body_trash.h"
#include "store/data_folder.h"

namespace velumbrino {
namespace {

namespace fs = std::filesystem;
using namespace std::string_literals;
using testing::FakeNoteWindowFactory;

struct TempFolder {
  TempFolder() { fs::create_directories(path_); }
  ~TempFolder() { fs::remove_all(path_, ignored_); }
  // With a trailing separator, as the data folder path has.
  std::string Path() const { return path_.string() + "/"; }
  void Write(const std::string& name, const std::string& bytes) const {
    std::ofstream(path_ / name, std::ios::binary) << bytes;
  }
  std::string Read(const std::string& name) const {
    std::ifstream in(path_ / name, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }
  bool Exists(const std::string& name) const { return fs::exists(path_ / name); }

  std::random_device random_;
  const fs::path path_ =
      fs::temp_directory_path() /
      ("velumbrino-test-" + std::to_string(random_()) + std::to_string(random_()));
  std::error_code ignored_;
};

// Chosen files are held open by another program (not read, removed, renamed or recycled); the
// folder may refuse to be listed; recycled files go to `bin` when set, else are removed.
class StubbornFiles : public FileSystem {
 public:
  using Path = const std::string&;
  using Names = std::optional<std::vector<std::string>>;
  std::set<std::string> unreadable, held;
  bool can_list = true;
  std::string bin;

  std::optional<std::string> ReadFile(Path path) override {
    return unreadable.count(Name(path)) ? std::nullopt : base_.ReadFile(path);
  }
  bool RemoveFile(Path path) override { return !held.count(Name(path)) && base_.RemoveFile(path); }
  bool Rename(Path from, Path to) override {
    return !held.count(Name(from)) && base_.Rename(from, to);
  }
  bool RecycleFile(Path path) override {
    return bin.empty() ? RemoveFile(path) : Rename(path, bin + Name(path));
  }
  Names ListFiles(Path folder) override {
    return can_list ? base_.ListFiles(folder) : std::nullopt;
  }
  bool WriteFileAtomic(Path path, std::string_view bytes) override {
    return base_.WriteFileAtomic(path, bytes);
  }
  bool FileExists(Path path) override { return base_.FileExists(path); }
  bool DirectoryExists(Path path) override { return base_.DirectoryExists(path); }
  bool CreateDirectories(Path path) override { return base_.CreateDirectories(path); }
  std::optional<std::uint64_t> Stamp(Path path) override { return base_.Stamp(path); }
  Names ListFolders(Path folder) override { return base_.ListFolders(folder); }
  bool RemoveFolder(Path path) override { return base_.RemoveFolder(path); }
  static std::string Name(Path path) { return fs::path(path).filename().string(); }

 private:
  FileSystem& base_ = StdFileSystem();
};

class NoteCollectionTest : public ::testing::Test {
 protected:
  NoteCollection& Notes() {
    if (!notes_) notes_ = std::make_unique<NoteCollection>(files_, factory_, dir_.Path());
    return *notes_;
  }
  NoteWindow& Open(const std::string& number) { return Notes().CreateNote(number, false, {}); }
  std::string Ini(const std::string& section, const std::string& key) {
    return Notes().Settings().ReadIniValue(section, key, "<none>");
  }

  TempFolder dir_;
  StubbornFiles files_;
  FakeNoteWindowFactory factory_{files_};
  std::unique_ptr<NoteCollection> notes_;
};

std::set<std::string> FilesIn(const std::string& folder) {
  std::set<std::string> names;
  for (const auto& entry : fs::recursive_directory_iterator(folder)) {
    names.insert(fs::relative(entry.path(), folder).generic_string());
  }
  return names;
}

// The index as restore reads it (first line, however damaged): a reused number overwrites a body.
TEST_F(NoteCollectionTest, NextNumberIsTheSmallestNeitherTheIndexNorAnOpenNoteHasInAnyFolder) {
  dir_.Write("indice.dat", " 01,2,5 \r\n,3,\r\n");
  Open("3");  // its entry lost
  EXPECT_EQ(Notes().NextNoteNumber(), 4);
  EXPECT_EQ(Notes().NextNoteNumber(), 6);
  EXPECT_EQ(dir_.Read("indice.dat"), ",1,2,5,4,6,\r\n");
  dir_.Write("indice.dat", ",\r\n");  // every note deleted
  factory_.created.clear();
  notes_.reset();
  EXPECT_EQ(Notes().NextNoteNumber(), 1);

  // The data folder removed while the program runs: a new note and the save at exit make it.
  TempFolder parent;
  NoteCollection fresh(StdFileSystem(), factory_, parent.Path() + "removed/");
  EXPECT_EQ(fresh.NextNoteNumber(), 1);
  EXPECT_EQ(parent.Read("removed/indice.dat"), ",1,\r\n");
  NoteCollection none(StdFileSystem(), factory_, parent.Path() + "gone/deeper/");
  ASSERT_TRUE(none.SaveAllNotes());
  EXPECT_EQ(parent.Read("gone/deeper/indice.dat"), ",\r\n");
  EXPECT_EQ(none.Settings().ReadIniValue("Indice", "TotalForms", "x"), "0");
}

TEST_F(NoteCollectionTest, PinToggleWritesAtOnceAndRepinsEveryPinnedNoteInOrder) {
  dir_.Write("indice.dat", ",1,2,3,\r\n");
  dir_.Write("config.cfg", "[1]\r\nOnTop=true\r\n[2]\r\nOnTop=False\r\n[3]\r\nOnTop=1\r\n");
  for (const char* n : {"1", "2", "3"}) Open(n);

  Notes().TogglePin(2);  // "False" -> pinned
  EXPECT_EQ(Ini("2", "OnTop"), "True");
  for (auto& state : factory_.created) EXPECT_TRUE(state->pinned) << state->tag;
  EXPECT_EQ(factory_.created[1]->focus_count, 1);

  Notes().TogglePin(1);  // lower-case "true" counts as pinned -> unpinned
  EXPECT_EQ(Ini("1", "OnTop"), "False");
  EXPECT_FALSE(factory_.created[0]->pinned);
  EXPECT_EQ(factory_.created[2]->pin_calls, 2);  // re-applied on every toggle
}

TEST_F(NoteCollectionTest, OnlyChangedOrMissingBodiesAreWrittenAndAnUnreadableOneNever) {
  dir_.Write("indice.dat", ",1,2,3,\r\n");
  for (const char* n : {"1", "2", "3"}) dir_.Write(BodyFileName(n), std::string("corpo ") + n);
  files_.unreadable = {"stickie1.vmb"};  // held open by another program
  NoteCollection& notes = Notes();
  RestoreNotes(notes, {});
  auto note = [&](int n) -> testing::FakeNoteState& { return *factory_.created[n - 1]; };
  EXPECT_EQ(note(1).set_aside_text, UnreadableBodyText("stickie1.vmb"));
  ASSERT_TRUE(notes.SaveAllNotes());

  note(1).body = note(2).body = "digitado";  // typed in (note 1 only if it were writable)
  note(3).marked_modified = true;            // a file the user chose was loaded into note 3
  ASSERT_TRUE(notes.SaveNote(2));            // the autosave
  ASSERT_TRUE(notes.SaveAllNotes());
  EXPECT_EQ((std::vector{note(1).saves, note(2).saves, note(3).saves}), (std::vector{0, 1, 1}));
  EXPECT_EQ(dir_.Read("stickie1.vmb"), "corpo 1");

  std::filesystem::remove(dir_.Path() + "stickie2.vmb");
  NoteWindow& fresh = notes.CreateNote(std::to_string(notes.NextNoteNumber()), true, {});
  ASSERT_TRUE(notes.SaveAllNotes());
  EXPECT_EQ(dir_.Read("stickie2.vmb"), "digitado");
  EXPECT_TRUE(dir_.Exists(BodyFileName(fresh.Tag())));
}

TEST(SetAsideBodies, MarkerParsesWhatItWritesSkipsTheRestAndTextsNameTheFile) {
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

  EXPECT_EQ(SetAsideBodyText("stickie7.vmb"),
            "O texto desta nota não foi aberto porque fez o Velumbrino fechar; o arquivo "
            "stickie7.vmb foi guardado.");
  // 59 bytes + "ç" (two) would pass the 60-byte room: the cut falls before it. '%' is only text.
  const std::string title = std::string(59, 'a') + "ção e mais";
  EXPECT_EQ(SetAsideNotice(title, "C:\\100%s\\stickie7.vmb"),
            "A nota \"" + std::string(59, 'a') +
                "...\" não foi aberta: o texto dela fez o Velumbrino fechar ao ser carregado. O "
                "arquivo foi guardado sem alterações: C:\\100%s\\stickie7.vmb");
}

// Damaged config.cfg: unreadable values get safe defaults; the save keeps lines it does not own.

TEST_F(NoteCollectionTest, DefaultsForWhatCannotBeReadAndForeignLinesKept) {
  std::mt19937 random(7);
  std::string garbage;
  for (int i = 0; i < 64 * 1024; ++i) garbage += static_cast<char>(random() & 0xFF);
  // Garbage, keys outside sections, duplicates (the first answers), NULs, bad numbers and booleans.
  const std::string head = garbage + "\r\nTop=5\r\n[]\r\nTop=7\r\n";
  const std::string config =
      head +
      "[1]\r\nTop=-2147483648\r\nTop=200\r\nLeft=2147483647\r\nColor1=-1\r\nColor2=16777216\r\n"
      "Opacidade=-5\r\nOnTop=false\r\nVisivel=False\r\nTitulo=um\0meio\r\n"
      "[2]\r\nTop=99999999999999999999\r\nLeft=1\0\0\r\nColor1=4294967295\r\n"
      "Opacidade=2147483648\r\nOnTop=False\r\nVisivel=maybe\r\n"
      "[3]\r\nTop=-300\r\nLeft=-15\r\nColor1=16777215\r\nColor2=0\r\nOpacidade=11\r\n"
      "OnTop=1\r\nAlarm=sim\r\n[1]\r\nTitulo=outro\r\n"s;
  dir_.Write("indice.dat", ",1,2,3,4,\r\n");
  dir_.Write("config.cfg", config);
  for (const char* n : {"1", "2", "3", "4"}) dir_.Write(BodyFileName(n), n);
  NoteCollection& notes = Notes();
  ASSERT_EQ(RestoreNotes(notes, {}), 4);
  ASSERT_TRUE(notes.SaveAllNotes());

  const auto look = [&](int n) {
    const testing::FakeNoteState& s = *factory_.created.at(n - 1);
    EXPECT_EQ(std::pair(s.tag, s.body), std::pair(std::to_string(n), std::to_string(n)));
    return std::tuple(s.title, s.top, s.left, s.back, s.body_color, s.alarm, s.visible, s.alpha,
                      s.pinned);
  };
  const Color window = kClassicWindowColor, body = kClassicBodyColor;
  constexpr int top = testing::FakeNoteState{}.top, left = testing::FakeNoteState{}.left;
  // Far but in range: the window keeps itself on screen. Only "False" unpins; bad visibility hides.
  EXPECT_EQ(look(1),
            std::tuple("um\0meio"s, INT_MIN, INT_MAX, window, body, false, false, 255, true));
  EXPECT_TRUE(factory_.created[0]->kept_on_screen);
  EXPECT_EQ(look(2), std::tuple("", top, left, window, body, false, false, 255, false));
  EXPECT_EQ(look(3), std::tuple("", -300, -15, 0xFFFFFFu, 0u, false, true, 255, true));
  EXPECT_EQ(look(4), std::tuple("", top, left, window, body, false, true, 255, false));

  // Stored values are the user's, never rewritten; the garbage is nobody's and stays.
  EXPECT_TRUE(dir_.Read("config.cfg").starts_with(head));
  SettingsFile saved(StdFileSystem(), dir_.Path() + "config.cfg");
  EXPECT_EQ(std::tuple(saved.ReadIniValue("1", "Top", ""), saved.ReadIniValue("3", "Color2", ""),
                       saved.ReadIniValue("4", "Tag", "")),
            std::tuple("-2147483648", "0", "4"));
}

// Only the program's own files go, also those of windowless notes; what cannot go is named.

class DeleteAllNotesTest : public NoteCollectionTest {
 protected:
  // Notes 1 and 2 open; the index also names note 5, whose window was lost in a crash.
  DeleteAllNotesTest() {
    for (const char* n : {"1", "2", "5"}) dir_.Write(BodyFileName(n), "{\\rtf1 corpo}");
    for (const char* n : {"1", "2"}) Notes().CreateNote(n, false, {}, /*show=*/false);
    dir_.Write("indice.dat", ",1,2,5,\r\n");
    dir_.Write("config.cfg", "[Indice]\r\nTotalForms=2\r\n");
  }
};

TEST_F(DeleteAllNotesTest, OnlyOurFilesGoAndNumberingStartsAgain) {
  for (const char* name : {"stickie7.vmb", "config.cfg.~9.tmp", "carregando.dat", "lista.txt",
                           "Stickie1.vmb.bak", "carregando.dat.bak", "lista.txt.~1.tmp"}) {
    dir_.Write(name, "x");
  }
  std::filesystem::create_directory(dir_.Path() + "fotos");
  dir_.Write("fotos/stickie3.vmb", "kept in a subfolder");

  EXPECT_EQ(DeleteFailureMessage(DeleteAllNotes(Notes())), "");
  EXPECT_EQ(Notes().Count(), 0);
  EXPECT_TRUE(factory_.created[0]->closed && factory_.created[1]->closed);
  EXPECT_EQ(FilesIn(dir_.Path()),
            (std::set<std::string>{"lista.txt", "Stickie1.vmb.bak", "carregando.dat.bak",
                                   "lista.txt.~1.tmp", "fotos", "fotos/stickie3.vmb"}));
  EXPECT_EQ(Notes().NextNoteNumber(), 1);
  EXPECT_EQ(dir_.Read("indice.dat"), ",1,\r\n");
}

TEST_F(DeleteAllNotesTest, AFolderThatCannotBeListedAndFilesHeldOpenAreNamed) {
  files_.can_list = false;
  files_.held = {"indice.dat", "config.cfg"};
  const DeleteOutcome outcome = DeleteAllNotes(Notes());
  EXPECT_TRUE(outcome.kept_notes.empty());
  EXPECT_EQ(outcome.kept_files, (std::vector<std::string>{"config.cfg", "indice.dat"}));
  EXPECT_NE(DeleteFailureMessage(outcome).find("config.cfg"), std::string::npos);
  EXPECT_EQ(FilesIn(dir_.Path()), (std::set<std::string>{"config.cfg", "indice.dat"}));
  EXPECT_EQ(Notes().NextNoteNumber(), 1);
  EXPECT_EQ(dir_.Read("indice.dat"), ",1,\r\n");
}

// A deleted body goes to the bin under its note's name.
TEST(BodyTrashTest, BodiesNoIndexEntryNamesBecomeNewNotes) {
  struct Case {
    const char* what;
    std::string index;
    std::vector<std::pair<std::string, std::string>> files;
    std::string index_after;
    std::set<std::string> files_after;                         // besides indice.dat and config.cfg
    std::vector<std::pair<std::string, std::string>> adopted;  // title and body, in order
  };
  const std::string damaged("\0\xff{\\rtf1 cort", 12);
  // clang-format off
  const std::vector<Case> cases{
      {"number free; a .vmb of the user's own is left alone", ",1,3,",
       {{"stickie1.vmb", "1"}, {"stickie3.vmb", "3"}, {"Compras 2026-12-07 09h30m00.vmb", "c"},
        {"Minha nota.VMB", "m"}, {"stickie07.vmb", "s"}}, ",1,3,2,",
       {"stickie1.vmb", "stickie2.vmb", "stickie3.vmb", "Minha nota.VMB", "stickie07.vmb"},
       {{"Compras", "c"}}},
      {"its old number taken by a live note, the next one by the load record", ",1,2,",
       {{"stickie1.vmb", "1"}, {"stickie2.vmb", "2"}, {"carregando.dat", "separada=3\r\n"},
        {"dois 2026-12-07 09h30m00 (2).vmb", "d"}}, ",1,2,4,",
       {"carregando.dat", "stickie1.vmb", "stickie2.vmb", "stickie4.vmb"}, {{"dois", "d"}}},
      {"bodies left by an earlier failure", ",1,",
       {{"stickie1.vmb", "1"}, {"stickie2.vmb", "o2"}, {"stickie5.vmb", "o5"}}, ",1,2,3,",
       {"stickie1.vmb", "stickie2.vmb", "stickie3.vmb"}, {{"stickie2", "o2"}, {"stickie5", "o5"}}},
      {"damaged body", ",", {{"x 2000-01-01 00h00m00.vmb", damaged}}, ",1,", {"stickie1.vmb"},
       {{"x", damaged}}},
      {"files that are not bodies", ",1,",
       {{"stickie1.vmb", "1"}, {"lista.txt", "l"}, {"stickie1.vmb.bak", "b"},
        {"stickie2.vmb.~3.tmp", "t"}}, ",1,",
       {"stickie1.vmb", "lista.txt", "stickie1.vmb.bak", "stickie2.vmb.~3.tmp"}, {}},
  };
  // clang-format on
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

    std::vector<std::string> titles;
    for (const auto& [title, body] : c.adopted) titles.push_back(title);
    EXPECT_EQ(AdoptBodies(notes), titles);
    EXPECT_EQ(dir.Read("indice.dat"), c.index_after + "\r\n");
    std::set<std::string> expected = c.files_after;
    expected.insert({"indice.dat", "config.cfg", "Backup", "Backup/stickie9.vmb"});
    EXPECT_EQ(FilesIn(dir.Path()), expected);

    // Like every note: titled, its bytes, at the new-note place, none of its number's stale keys.
    RestoreNotes(notes, {});
    const std::size_t first_new = notes.Count() - c.adopted.size();
    for (std::size_t i = 0; i < c.adopted.size(); ++i) {
      const auto& state = *factory.created[first_new + i];
      EXPECT_EQ(std::tuple(state.title, state.body, state.top, state.visible),
                std::tuple(c.adopted[i].first, c.adopted[i].second, 3510, true));
      EXPECT_EQ(notes.Settings().ReadIniValue(state.tag, "Opacidade", "-"), "-");
    }
  }
}

TEST_F(NoteCollectionTest, DeletedBodyGoesToTheBinUnderTitleAndTimeOrStaysWithItsNote) {
  TempFolder bin;
  testing::FakeClock clock({2026, 12, 7, 9, 5, 3});
  NoteCollection& notes = Notes();
  notes.SetClock(clock);
  dir_.Write("indice.dat", ",1,2,\r\n");
  dir_.Write("config.cfg", "[1]\r\nTitulo=\r\n[2]\r\nTitulo=a/b: c?\r\n");
  dir_.Write("stickie1.vmb", "um");
  dir_.Write("stickie2.vmb", "dois");
  RestoreNotes(notes, {});

  files_.bin = bin.Path() + "cheia/";  // a bin that refuses it: the note stays whole
  EXPECT_NE(DeleteFailureMessage(DeleteNotes(notes, {2})), "");
  EXPECT_EQ(FilesIn(dir_.Path()),
            (std::set<std::string>{"config.cfg", "indice.dat", "stickie1.vmb", "stickie2.vmb"}));
  files_.bin = bin.Path();
  EXPECT_EQ(DeleteFailureMessage(DeleteNotes(notes, {2, 1})), "");
  EXPECT_EQ(FilesIn(dir_.Path()), (std::set<std::string>{"config.cfg", "indice.dat"}));
  EXPECT_EQ(bin.Read("a_b_ c_ 2026-12-07 09h05m03.vmb"), "dois");
  EXPECT_EQ(bin.Read("Nota 2026-12-07 09h05m03.vmb"), "um");
  EXPECT_EQ(TitleFromBodyFileName("a_b_ c_ 2026-12-07 09h05m03 (2).vmb"), "a_b_ c_");
  EXPECT_EQ(NotesCameBackNotice({"Nota", "", "3", "4", "5", "6", "7"}),
            "Estas notas voltaram:\nNota\n[Em Branco]\n3\n4\n5\ne mais 2.");
}

constexpr LocalTime kMorning{2026, 12, 7, 9, 30, 0};

class LifecycleTest : public NoteCollectionTest, public LifecycleHost {
 protected:
  LifecycleTest() {
    dir_.Write("indice.dat", ",1,2,\r\n");
    for (const char* n : {"1", "2"}) dir_.Write(BodyFileName(n), n);
  }
  void ReportSetAsideBody(int n) override { events_.push_back("set aside " + std::to_string(n)); }
  void ReportNotesCameBack(const std::string& notice) override { events_.push_back(notice); }
  void RestoreFinished() override { events_.push_back("finished"); }
  void ReportSaveFailure() override { events_.push_back("save failure"); }

  DefaultFont font_;
  Lifecycle life_{Notes(), font_, *this};
  std::vector<std::string> events_;
};

// Bodies that came back, the body set aside, the end, then a data folder that could not be ready.
TEST_F(LifecycleTest, TheUserIsToldOnceAndInOrder) {
  dir_.Write(kLoadMarkerFileName, "carregando=2\r\n");
  dir_.Write("x 2026-12-06 10h00m00.vmb", "de volta");
  life_.Start(kMorning, /*prepare_failed=*/true);
  const std::string came_back = NotesCameBackNotice({"x"});
  EXPECT_EQ(events_, std::vector{came_back});
  int ticks = 1;
  while (!life_.RestoreTick()) ++ticks;
  EXPECT_EQ(ticks, 4);  // a note a tick, then the end
  EXPECT_FALSE(life_.RestoreTick());
  EXPECT_EQ(events_,
            (std::vector<std::string>{came_back, "set aside 2", "finished", "save failure"}));
}

// A log-off in start-up: shown notes saved, the others still indexed, the day's copy dropped.
TEST_F(LifecycleTest, NothingRunsAfterTheShutdown) {
  life_.Start(kMorning, false);
  life_.RestoreTick();
  factory_.created[0]->body = "digitado";
  life_.Shutdown();
  EXPECT_EQ(dir_.Read("stickie1.vmb"), "digitado");
  factory_.created[0]->body = "tarde demais";
  life_.NoteChanged(1, kMorning);
  life_.Shutdown();
  EXPECT_FALSE(life_.RestoreTick());
  EXPECT_EQ(Notes().Count(), 1);
  EXPECT_EQ(dir_.Read("stickie1.vmb"), "digitado");
  EXPECT_EQ(dir_.Read("indice.dat"), ",1,2,\r\n");
  EXPECT_FALSE(dir_.Exists("Backup/2026-12-07") || dir_.Exists("Backup/2026-12-07.parcial"));
  EXPECT_TRUE(events_.empty());
}

TEST(Autosave, APauseInTheChangesOrHalfAMinuteOfThemSavesTheNote) {
  EXPECT_EQ(AutosaveDelayMs(0), 2000u);
  EXPECT_EQ(AutosaveDelayMs(27000), 2000u);
  EXPECT_EQ(AutosaveDelayMs(29500), 500u);
  EXPECT_EQ(AutosaveDelayMs(600000), 0u);  // typing for ten minutes without a pause
}

// The daily copy: which files, one a day, seven days kept (cut-short copies: the simulation).

LocalTime Day(int day) { return {2026, 12, day, 9, 30, 0}; }

class DailyBackupTest : public ::testing::Test {
 protected:
  DailyBackupTest() {
    dir_.Write("indice.dat", ",1,2,\r\n");
    dir_.Write("config.cfg", "[1]\r\nTitulo=um\r\n");
    dir_.Write("stickie1.vmb", "{\\rtf1 um}");
    dir_.Write("Stickie2.VMB", "{\\rtf1 dois}");
    dir_.Write("lista.txt", "do usuario");
    dir_.Write("config.cfg.~12-1.tmp", "half");
  }
  TempFolder dir_;
};

TEST_F(DailyBackupTest, OneCopyADayOfTheProgramsOwnFilesOnly) {
  DailyBackup backup(StdFileSystem(), dir_.Path());
  ASSERT_TRUE(backup.Run(Day(6)));
  EXPECT_EQ(dir_.Read("Backup/2026-12-06/indice.dat"), ",1,2,\r\n");
  EXPECT_EQ(dir_.Read("Backup/2026-12-06/config.cfg"), "[1]\r\nTitulo=um\r\n");
  EXPECT_EQ(dir_.Read("Backup/2026-12-06/Stickie2.VMB"), "{\\rtf1 dois}");
  EXPECT_FALSE(dir_.Exists("Backup/2026-12-06/lista.txt"));
  EXPECT_FALSE(dir_.Exists("Backup/2026-12-06/config.cfg.~12-1.tmp"));

  // Later saves the same day, in this run or the next, keep the morning's copy.
  dir_.Write("config.cfg", "[1]\r\nTitulo=mudou\r\n");
  ASSERT_TRUE(backup.Run(Day(6)));
  ASSERT_TRUE(DailyBackup(StdFileSystem(), dir_.Path()).Run(Day(6)));
  EXPECT_EQ(dir_.Read("Backup/2026-12-06/config.cfg"), "[1]\r\nTitulo=um\r\n");
  // The first save after midnight makes the next day's.
  ASSERT_TRUE(backup.Run(Day(7)));
  EXPECT_EQ(dir_.Read("Backup/2026-12-07/config.cfg"), "[1]\r\nTitulo=mudou\r\n");
}

TEST_F(DailyBackupTest, KeepsTheNewestSevenDaysAndClearsAnInterruptedCopy) {
  for (const char* folder : {"Backup/2026-12-10.parcial", "Backup/minhas copias"}) {
    std::filesystem::create_directories(dir_.Path() + folder);
    dir_.Write(std::string(folder) + "/x.txt", "meio");
  }
  for (int day = 1; day <= 10; ++day)
    ASSERT_TRUE(DailyBackup(StdFileSystem(), dir_.Path()).Run(Day(day)));
  std::set<std::string> days;
  for (const auto& day : fs::directory_iterator(dir_.Path() + "Backup")) {
    days.insert(day.path().filename().string());
  }
  EXPECT_EQ(days,
            (std::set<std::string>{"2026-12-04", "2026-12-05", "2026-12-06", "2026-12-07",
                                   "2026-12-08", "2026-12-09", "2026-12-10", "minhas copias"}));
  EXPECT_EQ(dir_.Read("Backup/2026-12-10/indice.dat"), ",1,2,\r\n");
  EXPECT_FALSE(dir_.Exists("Backup/2026-12-10/x.txt"));  // nothing of the interrupted copy
}

TEST(DailyBackupEmpty, AFolderWithoutNotesGetsNoCopyUntilItHasSome) {
  TempFolder dir;
  dir.Write("lista.txt", "do usuario");
  DailyBackup backup(StdFileSystem(), dir.Path());
  EXPECT_TRUE(backup.Run(Day(6)));
  EXPECT_FALSE(dir.Exists("Backup"));
  dir.Write("indice.dat", ",1,\r\n");
  EXPECT_TRUE(backup.Run(Day(6)));
  EXPECT_EQ(dir.Read("Backup/2026-12-06/indice.dat"), ",1,\r\n");
}

}  // namespace
}  // namespace velumbrino
