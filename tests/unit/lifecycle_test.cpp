// Start-up and shutdown: what the user is told and when; nothing runs after the shutdown.
#include "shell/lifecycle.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>

#include "fake_note_window.h"
#include "note/autosave.h"
#include "shell/daily_backup.h"
#include "store/body_trash.h"
#include "store/data_folder.h"
#include "temp_folder.h"

namespace velumbrino {
namespace {

using testing::TempFolder;
constexpr LocalTime kMorning{2026, 12, 7, 9, 30, 0};

class LifecycleTest : public ::testing::Test, public LifecycleHost {
 protected:
  LifecycleTest() {
    dir_.Write("indice.dat", ",1,2,\r\n");
    for (const char* n : {"1", "2"}) dir_.Write(BodyFileName(n), n);
  }
  void ReportSetAsideBody(int n) override { events_.push_back("set aside " + std::to_string(n)); }
  void ReportNotesCameBack(const std::string& notice) override { events_.push_back(notice); }
  void RestoreFinished() override { events_.push_back("finished"); }
  void ReportSaveFailure() override { events_.push_back("save failure"); }

  testing::TempFolder dir_;
  testing::FakeNoteWindowFactory factory_{StdFileSystem()};
  NoteCollection notes_{StdFileSystem(), factory_, dir_.Path()};
  DefaultFont font_;
  Lifecycle life_{notes_, font_, *this};
  std::vector<std::string> events_;
};

// Bodies that came back first; then the body set aside, the end, and a data folder that
// could not be made ready, in that order, once.
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

// Closed during start-up (a log-off): the notes shown are saved, the index still names the
// others, the day's unfinished copy is dropped, and nothing restores or saves afterwards.
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
  EXPECT_EQ(notes_.Count(), 1);
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
  std::set<std::string> Days() {
    std::set<std::string> days;
    for (const auto& entry : std::filesystem::directory_iterator(dir_.Path() + "Backup")) {
      days.insert(entry.path().filename().string());
    }
    return days;
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
  EXPECT_EQ(Days(),
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
