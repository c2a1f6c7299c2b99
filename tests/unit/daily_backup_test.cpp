// The daily copy's rules: which files, one a day, seven days kept. Copies taken while notes are
// restored, and copies a full disk or a lock cut short, are driven by the simulation, which
// checks that every day folder is one snapshot of the notes.
#include "shell/daily_backup.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "temp_folder.h"

namespace velumbrino {
namespace {

using testing::TempFolder;

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
  std::vector<std::string> Days() {
    std::vector<std::string> days;
    for (const auto& entry : std::filesystem::directory_iterator(dir_.Path() + "Backup")) {
      days.push_back(entry.path().filename().string());
    }
    std::sort(days.begin(), days.end());
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
  for (int day = 1; day <= 10; ++day) ASSERT_TRUE(DailyBackup(StdFileSystem(), dir_.Path()).Run(Day(day)));
  EXPECT_EQ(Days(), (std::vector<std::string>{"2026-12-04", "2026-12-05", "2026-12-06",
                                              "2026-12-07", "2026-12-08", "2026-12-09",
                                              "2026-12-10", "minhas copias"}));
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
