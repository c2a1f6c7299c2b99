// What the note dialogs rely on from the system: the real folder that "&Todas" of the delete
// dialog empties of the program's own files, and the system's long date of the insert dialog.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "dialogs/delete_notes.h"
#include "dialogs/insert_date_time_win.h"
#include "platform/file_system_win.h"
#include "platform/wide_string_win.h"

namespace velumbrino {
namespace {

class NoteFolderTest : public testing::Test {
 protected:
  void SetUp() override {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    root_ = Narrow(temp) + "velumbrino_list_" + std::to_string(GetCurrentProcessId()) + "\\";
    ASSERT_TRUE(files_.CreateDirectories(root_));
  }
  void TearDown() override {
    // Only what these tests create: a few files and one subfolder.
    if (auto names = files_.ListFiles(root_)) {
      for (const auto& name : *names) DeleteFileW(Widen(root_ + name).c_str());
    }
    RemoveDirectoryW(Widen(root_ + "stickie9.vmb").c_str());
    RemoveDirectoryW(Widen(root_).c_str());
  }
  void Write(const std::string& name) { ASSERT_TRUE(files_.WriteFileAtomic(root_ + name, "x")); }
  std::vector<std::string> Sorted(std::vector<std::string> names) {
    std::sort(names.begin(), names.end());
    return names;
  }

  FileSystem& files_ = WinFileSystem();
  std::string root_;
};

TEST_F(NoteFolderTest, DeleteOwnFilesLeavesUserFilesFoldersAndLockedFiles) {
  for (const char* name : {"indice.dat", "config.cfg", "stickie1.vmb", "STICKIE2.VMB",
                           "config.cfg.~12.tmp", "lista.txt", "stickie01.vmb"}) {
    Write(name);
  }
  ASSERT_TRUE(CreateDirectoryW(Widen(root_ + "stickie9.vmb").c_str(), nullptr));
  Write("stickie3.vmb");
  // Open in another program without delete sharing: it cannot go.
  const HANDLE locked = CreateFileW(Widen(root_ + "stickie3.vmb").c_str(), GENERIC_READ,
                                    FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(locked, INVALID_HANDLE_VALUE);
  const auto kept = DeleteOwnFiles(files_, root_, {});
  CloseHandle(locked);
  EXPECT_EQ(kept, std::vector<std::string>{"stickie3.vmb"});
  EXPECT_EQ(Sorted(files_.ListFiles(root_).value()),
            (std::vector<std::string>{"lista.txt", "stickie01.vmb", "stickie3.vmb"}));
  EXPECT_TRUE(files_.DirectoryExists(root_ + "stickie9.vmb"));
}

TEST(SystemLongDateTest, GivesTheSystemFormOfTheDayOrNothing) {
  // The tests run in Portuguese (Brazil); the day of the week is filled in from the date.
  EXPECT_EQ(SystemLongDate({2026, 12, 5, 14, 30, 45}), "sábado, 5 de dezembro de 2026");
  EXPECT_EQ(SystemLongDate({2026, 13, 40, 0, 0, 0}), "");
}

}  // namespace
}  // namespace velumbrino
