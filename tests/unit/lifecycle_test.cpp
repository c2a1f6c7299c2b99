#include "shell/lifecycle.h"

#include "note/autosave.h"

#include <gtest/gtest.h>

#include "fake_note_window.h"
#include "fault_files.h"
#include "temp_folder.h"

namespace velumbrino {
namespace {

using testing::FakeNoteWindowFactory;
using testing::TempFolder;

constexpr LocalTime kMorning{2026, 12, 7, 9, 30, 0};

class LifecycleTest : public ::testing::Test, public LifecycleHost {
 protected:
  LifecycleTest() {
    dir_.Write("indice.dat", ",1,2,3,\r\n");
    dir_.Write("config.cfg", "[1]\r\nTitulo=um\r\n[2]\r\nTitulo=dois\r\n[3]\r\nTitulo=tres\r\n");
    for (const char* n : {"1", "2", "3"}) {
      dir_.Write(std::string("stickie") + n + ".vmb", std::string("{\\rtf1 corpo ") + n + "}");
    }
  }
  void Start() { life_.Start(kMorning, /*prepare_failed=*/false); }
  int TicksToFinish() {
    int ticks = 1;
    while (!life_.RestoreTick()) ++ticks;
    return ticks;
  }

  void ReportSetAsideBody(int number) override { events_.push_back("set aside " + std::to_string(number)); }
  void ReportNotesCameBack(const std::string& notice) override { events_.push_back(notice); }
  void RestoreFinished() override { events_.push_back("finished"); }
  void ReportSaveFailure() override { events_.push_back("save failure"); }

  TempFolder dir_;
  FakeNoteWindowFactory factory_{StdFileSystem()};
  NoteCollection notes_{StdFileSystem(), factory_, dir_.Path()};
  DefaultFont font_;
  Lifecycle life_{notes_, font_, *this};
  std::vector<std::string> events_;
};

TEST_F(LifecycleTest, RestoresANoteATickWithTheDaysCopyAndSavesEverythingAtTheEnd) {
  Start();
  EXPECT_TRUE(life_.Restoring());
  EXPECT_EQ(TicksToFinish(), 4);  // a tick per note, and the one that ends the restore
  EXPECT_FALSE(life_.Restoring());
  EXPECT_EQ(events_, std::vector<std::string>{"finished"});
  EXPECT_EQ(dir_.Read("Backup/2026-12-07/stickie3.vmb"), "{\\rtf1 corpo 3}");

  factory_.created[1]->body = "{\\rtf1 editado}";
  life_.NoteChanged(2, kMorning);
  EXPECT_EQ(dir_.Read("stickie2.vmb"), "{\\rtf1 editado}");
  EXPECT_EQ(dir_.Read("Backup/2026-12-07/stickie2.vmb"), "{\\rtf1 corpo 2}");

  factory_.created[0]->body = "{\\rtf1 fim}";
  life_.Shutdown();
  EXPECT_TRUE(life_.ShuttingDown());
  EXPECT_EQ(dir_.Read("stickie1.vmb"), "{\\rtf1 fim}");
  life_.NoteChanged(1, kMorning);  // nothing is saved once the shutdown began
  EXPECT_EQ(factory_.created[0]->saves, 1);
}

TEST_F(LifecycleTest, AnEditDuringStartUpLeavesTheCopyAsTheNotesWereAtStart) {
  Start();
  life_.RestoreTick();
  factory_.created[0]->body = "{\\rtf1 digitado cedo}";
  life_.NoteChanged(1, kMorning);
  EXPECT_EQ(dir_.Read("Backup/2026-12-07/stickie1.vmb"), "{\\rtf1 corpo 1}");
  EXPECT_EQ(dir_.Read("Backup/2026-12-07/indice.dat"), ",1,2,3,\r\n");
  EXPECT_EQ(TicksToFinish(), 3);
}

TEST_F(LifecycleTest, ACloseDuringStartUpKeepsEveryNoteHealthyForTheNextStart) {
  Start();
  life_.RestoreTick();
  life_.RestoreTick();
  factory_.created[0]->body = "{\\rtf1 digitado}";
  life_.Shutdown();  // an uninstall request, a log-off
  EXPECT_EQ(notes_.Count(), 2);
  EXPECT_EQ(dir_.Read("indice.dat"), ",1,2,3,\r\n");
  EXPECT_EQ(dir_.Read("stickie1.vmb"), "{\\rtf1 digitado}");
  EXPECT_EQ(dir_.Read("stickie3.vmb"), "{\\rtf1 corpo 3}");
  EXPECT_NE(dir_.Read("config.cfg").find("Titulo=tres"), std::string::npos);
  // No load runs any more, so nothing names one; the unfinished day's copy is dropped.
  EXPECT_FALSE(dir_.Exists("carregando.dat"));
  EXPECT_FALSE(dir_.Exists("Backup/2026-12-07"));
  EXPECT_FALSE(dir_.Exists("Backup/2026-12-07.parcial"));
  EXPECT_FALSE(life_.RestoreTick());
  EXPECT_TRUE(events_.empty());

  FakeNoteWindowFactory factory(StdFileSystem());
  NoteCollection notes(StdFileSystem(), factory, dir_.Path());
  Lifecycle next(notes, font_, *this);
  next.Start(kMorning, false);
  while (!next.RestoreTick()) {
  }
  EXPECT_EQ(events_, std::vector<std::string>{"finished"});
  EXPECT_EQ(factory.created[1]->body, "{\\rtf1 corpo 2}");
  EXPECT_EQ(factory.created[2]->set_aside_text, "");
  EXPECT_EQ(dir_.Read("Backup/2026-12-07/stickie1.vmb"), "{\\rtf1 digitado}");
}

// Reads of one file fail although it is there (held by another program).
class UnreadableBodyFiles : public testing::FullDiskFileSystem {
 public:
  std::optional<std::string> ReadFile(const std::string& path) override {
    if (path.ends_with(unreadable)) return std::nullopt;
    return FullDiskFileSystem::ReadFile(path);
  }
  std::string unreadable = "stickie1.vmb";
};

TEST_F(LifecycleTest, ABodyUnreadableAtStartIsShownReadOnlyAndReadAgainNextTime) {
  UnreadableBodyFiles files;
  files.writes_left = -1;
  FakeNoteWindowFactory factory(files);
  NoteCollection notes(files, factory, dir_.Path());
  Lifecycle life(notes, font_, *this);
  life.Start(kMorning, false);
  while (!life.RestoreTick()) {
  }
  EXPECT_EQ(factory.created[0]->set_aside_text, UnreadableBodyText("stickie1.vmb"));
  EXPECT_TRUE(notes.StoredBodyKept(1));
  life.NoteChanged(1, kMorning);
  life.Shutdown();
  EXPECT_EQ(dir_.Read("stickie1.vmb"), "{\\rtf1 corpo 1}");

  files.unreadable = "none";
  FakeNoteWindowFactory again(files);
  NoteCollection reopened(files, again, dir_.Path());
  Lifecycle next(reopened, font_, *this);
  next.Start(kMorning, false);
  while (!next.RestoreTick()) {
  }
  EXPECT_EQ(reopened.At(reopened.FindNoteWindow(1)).Title(), "um");
  EXPECT_EQ(again.created[static_cast<size_t>(reopened.FindNoteWindow(1) - 1)]->body,
            "{\\rtf1 corpo 1}");
  EXPECT_FALSE(reopened.StoredBodyKept(1));
}

TEST(Autosave, APauseInTheChangesOrHalfAMinuteOfThemSavesTheNote) {
  EXPECT_EQ(AutosaveDelayMs(0), 2000u);
  EXPECT_EQ(AutosaveDelayMs(27000), 2000u);
  EXPECT_EQ(AutosaveDelayMs(29500), 500u);
  EXPECT_EQ(AutosaveDelayMs(600000), 0u);  // typing for ten minutes without a pause
}

}  // namespace
}  // namespace velumbrino
