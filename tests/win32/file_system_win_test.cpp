#include "platform/file_system_win.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <string>
#include <thread>

#include "platform/text_file_io_win.h"
#include "platform/wide_string_win.h"
#include "win_test_support.h"

namespace velumbrino {
namespace {

// A fresh folder under the temp folder, removed with everything in it afterwards.
class WinFileSystemTest : public ::testing::Test {
 protected:
  void SetUp() override {
    root_ = Narrow(win_test::TempPath(L"fs", L"")) + "\\";
    TearDown();
    ASSERT_TRUE(files_.CreateDirectories(root_));
  }
  void TearDown() override {
    std::error_code ignored;
    std::filesystem::remove_all(Widen(root_), ignored);
  }

  // Files of the test folder: a temp file left beside a saved one shows here.
  size_t FileCount() { return files_.ListFiles(root_).value().size(); }
  // Opens `path` without sharing, as another program holding it would.
  static HANDLE Hold(const std::string& path) {
    return CreateFileW(Widen(path).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                       FILE_ATTRIBUTE_NORMAL, nullptr);
  }

  FileSystem& files_ = WinFileSystem();
  std::string root_;
};

TEST_F(WinFileSystemTest, AtomicWriteReplacesWholeFile) {
  const std::string path = root_ + "config.cfg";
  EXPECT_EQ(files_.ReadFile(path), std::nullopt);
  EXPECT_EQ(files_.Stamp(path), std::nullopt);
  EXPECT_FALSE(files_.FileExists(path));

  ASSERT_TRUE(files_.WriteFileAtomic(path, std::string("a long first content\0\xFF", 23)));
  const auto first_stamp = files_.Stamp(path);
  ASSERT_TRUE(first_stamp);
  ASSERT_TRUE(files_.WriteFileAtomic(path, "short"));
  EXPECT_EQ(files_.ReadFile(path), "short");
  EXPECT_NE(files_.Stamp(path), first_stamp);
  ASSERT_TRUE(files_.WriteFileAtomic(path, ""));
  EXPECT_EQ(files_.ReadFile(path), "");
  EXPECT_TRUE(files_.FileExists(path));
  EXPECT_FALSE(files_.DirectoryExists(path));
  EXPECT_EQ(FileCount(), 1u);  // no temp file left beside it

  EXPECT_TRUE(files_.RemoveFile(path));
  EXPECT_FALSE(files_.RemoveFile(path));
}

TEST_F(WinFileSystemTest, FailedWritesLeaveTheOldFileWhole) {
  EXPECT_FALSE(files_.WriteFileAtomic(root_ + "missing\\config.cfg", "x"));

  ASSERT_TRUE(files_.CreateDirectories(root_ + "folder"));
  EXPECT_FALSE(files_.WriteFileAtomic(root_ + "folder", "x"));
  EXPECT_TRUE(files_.DirectoryExists(root_ + "folder"));
  EXPECT_EQ(files_.Stamp(root_ + "folder"), std::nullopt);

  // A file held open without sharing cannot be replaced.
  const std::string held = root_ + "held.cfg";
  ASSERT_TRUE(files_.WriteFileAtomic(held, "old"));
  {
    HANDLE file = Hold(held);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    EXPECT_FALSE(files_.WriteFileAtomic(held, "new"));
    EXPECT_FALSE(files_.RemoveFile(held));  // "delete all" keeps it and says so
    CloseHandle(file);
  }
  EXPECT_EQ(files_.ReadFile(held), "old");
  EXPECT_EQ(FileCount(), 1u);  // the old file, no temp file
}

// A synced folder's client holds a changed file for a moment: the save waits it out.
TEST_F(WinFileSystemTest, ALockHeldForHalfASecondDelaysTheSaveButDoesNotFailIt) {
  const std::string config = root_ + "config.cfg";
  ASSERT_TRUE(files_.WriteFileAtomic(config, "old"));
  HANDLE file = Hold(config);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  std::thread sync_client([file] {
    Sleep(500);
    CloseHandle(file);
  });
  EXPECT_TRUE(files_.WriteFileAtomic(config, "new"));
  sync_client.join();
  EXPECT_EQ(files_.ReadFile(config), "new");
  EXPECT_EQ(FileCount(), 1u);
}

// The text files of "load from" and "save to": a failure says why and leaves the file as it was.
TEST_F(WinFileSystemTest, FailedTextReadsAndWritesSayWhy) {
  EXPECT_EQ(ReadTextFileBytes(root_ + "missing.txt").problem, FileProblem::kNotFound);
  const std::string locked = root_ + "readonly.txt";
  ASSERT_EQ(WriteTextFileBytes(locked, "antes"), std::nullopt);
  SetFileAttributesW(Widen(locked).c_str(), FILE_ATTRIBUTE_READONLY);
  EXPECT_EQ(WriteTextFileBytes(locked, "depois"), FileProblem::kReadOnly);
  EXPECT_EQ(ReadTextFileBytes(locked).bytes, "antes");
  SetFileAttributesW(Widen(locked).c_str(), FILE_ATTRIBUTE_NORMAL);
  EXPECT_EQ(WriteTextFileBytes(root_ + "no\\such\\x.txt", "x"), FileProblem::kFolderNotFound);
}

// Nested folders, and names outside ASCII where the host can hold them (Wine maps names to the
// host's locale; without a UTF-8 one it cannot store "ç").
TEST_F(WinFileSystemTest, CreatesNestedFoldersWithUnicodeNames) {
  const bool unicode = CreateDirectoryW(Widen(root_ + "probe\xC3\xA7").c_str(), nullptr);
  const std::string nested = root_ + (unicode ? "Ação\\Notas\\" : "a\\b\\");
  ASSERT_TRUE(files_.CreateDirectories(nested));
  EXPECT_TRUE(files_.DirectoryExists(nested));
  EXPECT_TRUE(files_.CreateDirectories(nested));  // already there
  const std::string file = nested + (unicode ? "anotação €.txt" : "file");
  ASSERT_TRUE(files_.WriteFileAtomic(file, "conteúdo"));
  EXPECT_EQ(files_.ReadFile(file), "conteúdo");
  // A file standing where a folder level should be.
  EXPECT_FALSE(files_.CreateDirectories(file + "\\sub"));
}

}  // namespace
}  // namespace velumbrino
