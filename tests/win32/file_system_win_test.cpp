#include "platform/file_system_win.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <filesystem>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "platform/text_file_io_win.h"
#include "platform/wide_string_win.h"
#include "store/cp1252.h"
#include "store/ini_document.h"
#include "store/settings_file.h"
#include "win_test_support.h"

namespace velumbrino {
namespace {

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
  static HANDLE Hold(const std::string& path) {
    return CreateFileW(Widen(path).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                       FILE_ATTRIBUTE_NORMAL, nullptr);
  }

  FileSystem& files_ = WinFileSystem();
  std::string root_;
};

TEST_F(WinFileSystemTest, AtomicWriteReplacesTheWholeFileOrLeavesTheOldOneWhole) {
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

  // A file held unshared is not removed ("delete all" says so); a failed write leaves no temp.
  ASSERT_TRUE(files_.WriteFileAtomic(path, "old"));
  const HANDLE file = Hold(path);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  EXPECT_FALSE(files_.RemoveFile(path));
  EXPECT_FALSE(files_.WriteFileAtomic(path, "new"));
  CloseHandle(file);
  EXPECT_EQ(FileCount(), 1u);
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

// Wine maps names to the host's locale: without a UTF-8 one it cannot store "ç".
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

// Random operations on our settings file and, on a copy, the platform's profile functions must
// read alike. Evened out: line breaks in values (both write spaces), blanks at a value's ends (its
// cache keeps them), quotes (it strips them), untrimmed delete names in Wine, repeated names.
const char* const kSections[] = {"Indice", "1", "2", "12", "Nota", "Opcoes"};
bool IsBreak(char c) { return c == '\r' || c == '\n'; }
const char* const kKeys[] = {"TotalForms", "Top",    "Left", "Titulo",
                             "OnTop",      "Color1", "Path", "Hora"};

class Differential {
 public:
  Differential(unsigned seed, const std::string& folder, int round)
      : random_(seed),
        ours_path_(folder + "ours" + std::to_string(round) + ".cfg"),
        platform_path_(folder + "platform" + std::to_string(round) + ".cfg") {}

  int Pick(int count) { return std::uniform_int_distribution<int>(0, count - 1)(random_); }
  bool Chance(int percent) { return Pick(100) < percent; }

  std::string MixCase(std::string name) {
    for (char& c : name) {
      if (Chance(30)) c = static_cast<char>(Chance(50) ? toupper(c) : tolower(c));
    }
    return name;
  }
  std::string Blanks() {
    static const char* const kBlanks[] = {"", "", "", " ", "  ", "\t", " \t "};
    return kBlanks[Pick(7)];
  }

  // Inner text only: no blanks at the ends, no quotes.
  std::string Value() {
    static const std::string kPlain =
        "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789 =;[]:\\.,!-";
    static const std::string kHigh = "\xE3\xE9\xE7\xC7\xF4\x80\xE0";
    const int length = Chance(8) ? 250 + Pick(60) : Pick(20);
    std::string value;
    for (int i = 0; i < length; ++i) {
      const std::string& from = high_bytes_ && Chance(5) ? kHigh : kPlain;
      value += from[Pick(static_cast<int>(from.size()))];
    }
    while (!value.empty() && value.back() == ' ') value.back() = 'x';
    while (!value.empty() && value.front() == ' ') value.front() = 'x';
    if (Chance(5) && value.size() > 2) value[1 + Pick(static_cast<int>(value.size()) - 2)] = '\n';
    if (Chance(5) && value.size() > 2) value[1 + Pick(static_cast<int>(value.size()) - 2)] = '\r';
    return value;
  }

  // A starting file in the hand-edited style: spaced, mixed case, comments, blank lines.
  std::string StartingFile(const char* line_end) {
    std::string bytes;
    std::vector<int> order = {0, 1, 2, 3, 4, 5};
    std::shuffle(order.begin(), order.end(), random_);
    const int sections = Pick(5);
    for (int s = 0; s < sections; ++s) {
      bytes += Blanks() + "[" + MixCase(kSections[order[s]]) + "]" + Blanks() + line_end;
      std::vector<int> keys = {0, 1, 2, 3, 4, 5, 6, 7};
      std::shuffle(keys.begin(), keys.end(), random_);
      const int count = Pick(6);
      for (int k = 0; k < count; ++k) {
        std::string value = Value();
        std::replace_if(value.begin(), value.end(), IsBreak, '.');
        bytes += Blanks() + MixCase(kKeys[keys[k]]) + Blanks() + "=" + Blanks() + value + Blanks() +
                 line_end;
        if (Chance(10)) bytes += std::string("; comment") + line_end;
        if (Chance(10)) bytes += line_end;
      }
    }
    if (!bytes.empty() && Chance(30)) bytes.resize(bytes.size() - strlen(line_end));
    return bytes;
  }

  std::string PlatformRead(const std::string& path, const std::string& section,
                           const std::string& key) {
    char buffer[255] = {};
    const DWORD length = GetPrivateProfileStringA(section.c_str(), key.c_str(), "", buffer,
                                                  sizeof buffer, path.c_str());
    return std::string(buffer, length);
  }

  std::string OurRead(SettingsFile& settings, const std::string& section, const std::string& key) {
    return Utf8ToCp1252(settings.ReadIniValue(Cp1252ToUtf8(section), Cp1252ToUtf8(key), ""));
  }

  int Run(int operations, const char* line_end) {
    const std::string start = StartingFile(line_end);
    for (const std::string& path : {ours_path_, platform_path_}) {
      EXPECT_TRUE(WinFileSystem().WriteFileAtomic(path, start));
    }
    SettingsFile settings(WinFileSystem(), ours_path_);
    std::string log;
    for (int op = 0; op < operations; ++op) {
      const std::string bare_section = MixCase(kSections[Pick(6)]);
      const std::string bare_key = MixCase(kKeys[Pick(8)]);
      const std::string section = Blanks() + bare_section + Blanks();
      const std::string key = Blanks() + bare_key + Blanks();
      const int kind = Pick(100);
      log += std::to_string(kind) + " [" + section + "] " + key + "\n";
      if (kind < 40) {
        const std::string value = Chance(10) ? std::string() : Value();
        std::string platform_value = value;
        std::replace_if(platform_value.begin(), platform_value.end(), IsBreak, ' ');
        EXPECT_TRUE(
            settings.WriteKey(Cp1252ToUtf8(section), Cp1252ToUtf8(key), Cp1252ToUtf8(value)));
        WritePrivateProfileStringA(section.c_str(), key.c_str(), platform_value.c_str(),
                                   platform_path_.c_str());
      } else if (kind < 55) {
        EXPECT_TRUE(settings.DeleteKey(Cp1252ToUtf8(section), Cp1252ToUtf8(key)));
        WritePrivateProfileStringA(bare_section.c_str(), bare_key.c_str(), nullptr,
                                   platform_path_.c_str());
      }
      // Every operation ends with a read of the key it touched.
      EXPECT_EQ(OurRead(settings, section, key), PlatformRead(platform_path_, section, key))
          << "operation " << op << " after\n" + log + "from the file\n" + start;
      if (::testing::Test::HasFailure()) return op;
    }
    // Whole state, and our file as the platform reads it.
    const std::string copy = ours_path_ + ".copy.cfg";
    const std::string ours_bytes = *WinFileSystem().ReadFile(ours_path_);
    EXPECT_TRUE(WinFileSystem().WriteFileAtomic(copy, ours_bytes));
    for (const char* section : kSections) {
      for (const char* key : kKeys) {
        const std::string ours = OurRead(settings, section, key);
        EXPECT_EQ(ours, PlatformRead(platform_path_, section, key)) << section << " " << key;
        EXPECT_EQ(ours, PlatformRead(copy, section, key)) << section << " " << key;
      }
    }
    return operations;
  }

 private:
  std::mt19937 random_;
  const std::string ours_path_, platform_path_;
  const bool high_bytes_ = GetACP() == 1252;
};

TEST(IniDifferential, RandomOperationsAgreeWithProfileFunctions) {
  const std::string folder = Narrow(win_test::TempPath(L"ini", L"")) + "\\";
  ASSERT_TRUE(WinFileSystem().CreateDirectories(folder));

  const char* const kLineEnds[] = {"\r\n", "\n", "\r"};
  int total = 0;
  for (int round = 0; round < 24 && !HasFailure(); ++round) {
    Differential differential(20240601u + static_cast<unsigned>(round), folder, round);
    total += differential.Run(250, kLineEnds[round % 3]);
  }
  EXPECT_GE(total, 6000);

  std::error_code ignored;
  std::filesystem::remove_all(Widen(folder), ignored);
}

}  // namespace
}  // namespace velumbrino
