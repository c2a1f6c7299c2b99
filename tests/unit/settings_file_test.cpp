#include "store/settings_file.h"

#include <gtest/gtest.h>

#include "../sim/mem_files.h"

namespace velumbrino {
namespace {

constexpr const char* kPath = "/d/config.cfg";

class SettingsFileTest : public ::testing::Test {
 protected:
  SettingsFileTest() { files.CreateDirectories("/d"); }
  std::string Read(const char* section, const char* key, const char* fallback = "") {
    return settings.ReadIniValue(section, key, fallback);
  }
  sim::MemFiles files;  // a hand edit (Put) moves the stamp as a real file's would
  SettingsFile settings{files, kPath};
};

TEST_F(SettingsFileTest, ReadDefaultsTruncationAndEncoding) {
  EXPECT_EQ(Read("Indice", "TotalForms", "0"), "0");  // no file at all

  files.Put(kPath, "[1]\r\nOnTop=\r\nTitulo=" + std::string(300, 'a') +
                       "\r\nCor=Cora\xE7\xE3o \x80\r\nLong=" + std::string(253, 'b') +
                       "\xE9\xE9\r\n");
  EXPECT_EQ(Read("1", "OnTop", "False"), "False");
  EXPECT_EQ(Read("1", "Titulo"), std::string(254, 'a'));
  EXPECT_EQ(Read("1", "Cor"), "Coração €");
  // 254 characters, not 254 UTF-8 bytes.
  EXPECT_EQ(Read("1", "Long"), std::string(253, 'b') + "é");
  EXPECT_EQ(Read("2", "Top", "x"), "x");
}

TEST_F(SettingsFileTest, WritesAreWholeFileReplacementsInCp1252) {
  ASSERT_TRUE(settings.WriteKey("1", "Titulo", "Reunião às 9h"));
  EXPECT_EQ(files.files[kPath].bytes, "[1]\r\nTitulo=Reuni\xE3o \xE0s 9h\r\n");
  EXPECT_EQ(Read("1", "Titulo"), "Reunião às 9h");

  ASSERT_TRUE(settings.Apply({{"1", "Top", "10"}, {"1", "Left", "20"}, {"1", "Titulo", {}}}));
  EXPECT_EQ(files.files[kPath].bytes, "[1]\r\nTop=10\r\nLeft=20\r\n");
  EXPECT_EQ(files.writes, 2);  // one write for the whole batch

  ASSERT_TRUE(settings.DeleteKey("1", "Top"));
  EXPECT_EQ(Read("1", "Top", "none"), "none");
  ASSERT_TRUE(settings.DeleteKey("7", "Alarm"));  // nothing to delete: nothing written
  EXPECT_EQ(files.writes, 3);
}

TEST_F(SettingsFileTest, FailedWriteChangesNeitherFileNorReads) {
  files.Put(kPath, "[1]\rTop = 5\r");
  EXPECT_EQ(Read("1", "Top"), "5");

  files.disk_full_until = 1;
  EXPECT_FALSE(settings.WriteKey("1", "Top", "6"));
  EXPECT_FALSE(settings.WriteKey("1", "Left", "7"));
  EXPECT_FALSE(settings.DeleteKey("1", "Top"));
  EXPECT_FALSE(settings.Apply({{"2", "Tag", "2"}}));
  EXPECT_EQ(files.files[kPath].bytes, "[1]\rTop = 5\r");
  EXPECT_EQ(Read("1", "Top") + Read("1", "Left", "-") + Read("2", "Tag", "-"), "5--");

  files.disk_full_until = -1;
  EXPECT_TRUE(settings.WriteKey("1", "Left", "7"));
  EXPECT_EQ(files.files[kPath].bytes, "[1]\rTop = 5\rLeft=7\r\n");
}

TEST_F(SettingsFileTest, HandEditsBetweenReadsAreSeen) {
  files.Put(kPath, "[1]\r\nTop=1\r\n");
  EXPECT_EQ(Read("1", "Top"), "1");
  files.Put(kPath, "[1]\r\nTop=2\r\n");
  EXPECT_EQ(Read("1", "Top"), "2");
  ASSERT_TRUE(settings.WriteKey("1", "Left", "3"));
  EXPECT_EQ(files.files[kPath].bytes, "[1]\r\nTop=2\r\nLeft=3\r\n");
  files.files.erase(kPath);
  EXPECT_EQ(Read("1", "Top", "gone"), "gone");
}

TEST_F(SettingsFileTest, SnapshotReadsWithoutAskingTheFileSystemButSeesOwnWrites) {
  files.Put(kPath, "[1]\r\nTop=1\r\n");
  {
    const SettingsFile::Snapshot snapshot(settings);
    EXPECT_EQ(Read("1", "Top"), "1");
    files.Put(kPath, "[1]\r\nTop=2\r\n");  // not looked at while the snapshot lives
    EXPECT_EQ(Read("1", "Top"), "1");
    ASSERT_TRUE(settings.WriteKey("1", "Left", "3"));  // a write still starts from the file
    EXPECT_EQ(Read("1", "Top"), "2");
    EXPECT_EQ(Read("1", "Left"), "3");
  }
  files.Put(kPath, "[1]\r\nTop=4\r\n");
  EXPECT_EQ(Read("1", "Top"), "4");
}

}  // namespace
}  // namespace velumbrino
