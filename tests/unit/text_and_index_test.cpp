#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "../sim/mem_files.h"
#include "platform/custom_colors.h"
#include "store/cp1252.h"
#include "store/data_folder.h"
#include "store/index_file.h"
#include "store/ini_document.h"
#include "store/settings_file.h"
#include "store/text_file_encoding.h"
#include "store/text_utils.h"

namespace velumbrino {
namespace {

using namespace std::string_literals;

TEST(NumberText, NumbersAndIndexLinesParse) {
  EXPECT_EQ(Trim(" \t a b \t"), "a b");
  const std::pair<const char*, long long> leading[] = {{"12abc", 12},
                                                       {"  -5x", -5},
                                                       {"abc", 0},
                                                       {"", 0},
                                                       {"99999999999999999999999", 2147483647},
                                                       {"-99999999999", -2147483648LL}};
  for (const auto& [text, number] : leading) EXPECT_EQ(LeadingNumber(text), number) << text;
  for (const char* bad : {"2147483648", "4 2", "-", ""}) EXPECT_FALSE(ParseWholeNumber(bad));
  EXPECT_EQ(std::pair(ParseWholeNumber(" 42 "), ParseWholeNumber("-2147483648")),
            std::pair(std::optional(42), std::optional(-2147483647 - 1)));

  // A damaged line names each valid number once, in order, and reads back the same; 1 MB is fast.
  std::string huge = ",3," + std::string(1 << 20, 'x') + ",4,";
  while (huge.size() < (2u << 20)) huge += "1,";
  const std::pair<std::string, std::vector<int>> cases[] = {
      {",a,1,b2,0,-3,2,1,+,2,00,", {1, 2}},
      {"  1,2, 3 ,,04  ", {1, 2, 3, 4}},
      {",1\0,\0,2,99999999999,2147483647,"s, {2, 2147483647}},
      {huge, {3, 4, 1}},
      {"", {}},
  };
  for (const auto& [line, numbers] : cases) {
    EXPECT_EQ(ParseNoteNumbers(line), numbers) << line.substr(0, 40);
    EXPECT_EQ(ParseNoteNumbers(FormatIndexLine(numbers)), numbers);
  }
  EXPECT_EQ(SmallestFreeNumber({2, 2147483647, 1, 4}), 3);
}

TEST(CustomColorsText, DamagedTextGivesWhiteWhereItCannotBeRead) {
  const CustomColors colors = ParseCustomColors("255, x,,16777216,-1,65280");
  CustomColors expected;
  expected.fill(0xFFFFFF);
  expected[0] = 255;
  expected[5] = 65280;
  EXPECT_EQ(colors, expected);
  EXPECT_EQ(ParseCustomColors(FormatCustomColors(colors)), colors);
  EXPECT_EQ(FormatCustomColors(ParseCustomColors("")).size(), 16u * 8 + 15);
}

TEST(Cp1252, PortugueseAndEuroRoundTrip) {
  const std::string text = "Ação, coração, você, àquele, pôr, €5 — “ok”";
  const std::string bytes = Utf8ToCp1252(text);
  EXPECT_EQ(bytes,
            "A\xE7\xE3o, cora\xE7\xE3o, voc\xEA, \xE0quele, p\xF4r, \x80"
            "5 \x97 \x93ok\x94");
  EXPECT_EQ(Cp1252ToUtf8(bytes), text);
  EXPECT_EQ(Utf8ToCp1252("日本"), "??");
  EXPECT_EQ(Utf8ToCp1252("a\xFF"s + "b"), "a?b");  // malformed UTF-8
  std::string all;
  for (int byte = 0; byte < 256; ++byte) all += static_cast<char>(byte);
  EXPECT_EQ(Utf8ToCp1252(Cp1252ToUtf8(all)), all);
}

TEST(DataFolder, LoginNameCannotBreakTheRtf) {
  const std::string body = WelcomeBodyBytes("a{b}\\c");
  EXPECT_NE(body.find("Ola a\\{b\\}\\\\c agora"), std::string::npos);
}

// Reading is compared with the platform's in the Win32 differential test. A new key goes after
// its section's last key line, a new section at the end; a delete removes only the key line and
// uncovers a duplicate; line breaks in a value cannot add lines.
TEST(IniDocumentWrite, WritesTouchOnlyTheirOwnLines) {
  struct Op {
    const char *section, *key, *value;
  };
  const std::string hand = "; top\r\n[1]\rTop = 5175\r  Left = 8760\n\n[2]\r\nTag = 2";
  const struct {
    std::string before;
    std::vector<Op> ops;
    std::string after;
  } cases[] = {
      {hand, {}, hand},
      {hand, {{"1", "top", "100"}}, "; top\r\n[1]\rtop=100\r  Left = 8760\n\n[2]\r\nTag = 2"},
      {"[1]\r\nTop=1\r\n\r\n[2]\r\nTop=2\r\n",
       {{"1", "Left", "5"}, {"2", "Left", "6"}},
       "[1]\r\nTop=1\r\nLeft=5\r\n\r\n[2]\r\nTop=2\r\nLeft=6\r\n"},
      {"[1]\rTop=1", {{"Indice", "TotalForms", "2"}}, "[1]\rTop=1\r\n[Indice]\r\nTotalForms=2\r\n"},
      {"[1]", {{"1", "Tag", "1"}}, "[1]\r\nTag=1\r\n"},
      {"", {{"5", "Alarm", "1"}}, "[5]\r\nAlarm=1\r\n"},
      {"[1]\r\nOnTop=True\r\nColor1=5\r\n[2]\r\nOnTop=False\r\n",
       {{"1", "Missing", nullptr}, {"9", "OnTop", nullptr}, {"1", "ONTOP", nullptr}},
       "[1]\r\nColor1=5\r\n[2]\r\nOnTop=False\r\n"},
      {"[1]\r\nColor1=5\r\n[2]\r\nOnTop=False\r\n",
       {{"1", "Color1", nullptr}, {"1", "Color2", "7"}},
       "[1]\r\nColor2=7\r\n[2]\r\nOnTop=False\r\n"},
      {"[s]\nk=1\nk=2\n", {{"s", "k", nullptr}}, "[s]\nk=2\n"},
      {"[1]\nOnTop=True\n", {{"1", "OnTop", ""}}, "[1]\nOnTop=\n"},
      {"", {{"1", "Titulo", "a\r\n[2]\rTop=1\nb"}}, "[1]\r\nTitulo=a  [2] Top=1 b\r\n"},
  };
  for (const auto& c : cases) {
    IniDocument document(c.before);
    for (const Op& op : c.ops) {
      op.value ? document.Set(op.section, op.key, op.value) : document.Delete(op.section, op.key);
    }
    EXPECT_EQ(document.Serialize(), c.after) << c.before;
    // What a read answers after the writes is what the written text answers.
    if (!c.ops.empty()) {
      EXPECT_EQ(document.Get(c.ops.back().section, c.ops.back().key),
                IniDocument(c.after).Get(c.ops.back().section, c.ops.back().key));
    }
  }
}

TEST(TextFileEncoding, LoadDetectsTheEncodingRichTextBinaryAndSize) {
  struct Case {
    std::string bytes;
    TextEncoding encoding;
    std::string text;
  };
  const Case cases[] = {
      {"Ol\xE1\r\nmundo \x80", TextEncoding::kAnsi, "Olá\r\nmundo €"},
      {"plain\nlf\rcr", TextEncoding::kAnsi, "plain\r\nlf\r\ncr"},
      {"Ol\xC3\xA1 \xE2\x82\xAC", TextEncoding::kUtf8, "Olá €"},
      {"\xEF\xBB\xBF\xCE\xB1\xCE\xB2", TextEncoding::kUtf8Bom, "αβ"},
      {"\xFF\xFE\x61\0\xE9\0\x3D\xD8\x00\xDE"s, TextEncoding::kUtf16LeBom, "aé\xF0\x9F\x98\x80"},
      {"\xFE\xFF\0a\0\n\x04\x1F"s, TextEncoding::kUtf16BeBom, "a\r\nП"},
      // Overlong and surrogate forms are not UTF-8: the bytes are Windows-1252.
      {"\xC0\xAF", TextEncoding::kAnsi, "À¯"},
      {"\xED\xA0\x80", TextEncoding::kAnsi, "í\xC2\xA0€"},
      {"", TextEncoding::kAnsi, ""},
  };
  for (const Case& c : cases) {
    const LoadedTextFile file = DecodeTextFile(c.bytes);
    EXPECT_EQ(file.refusal, TextFileRefusal::kNone);
    EXPECT_FALSE(file.rich_text);
    EXPECT_EQ(file.encoding, c.encoding) << c.text;
    EXPECT_EQ(file.text, c.text);
  }

  const LoadedTextFile rtf = DecodeTextFile("{\\rtf1\\ansi ol\\'e1}");
  EXPECT_TRUE(rtf.rich_text);
  EXPECT_EQ(rtf.text, "{\\rtf1\\ansi ol\\'e1}");

  for (const std::string& binary :
       {"MZ\x90\0\x03"s, "\xEF\xBB\xBF\x61\0b"s, "\xFF\xFE\x61\0\0\0"s}) {
    const LoadedTextFile file = DecodeTextFile(binary);
    EXPECT_EQ(std::pair(file.refusal, file.text), std::pair(TextFileRefusal::kBinary, ""s));
  }

  EXPECT_TRUE(TextFileSizeAllowed(kMaxTextFileBytes));
  EXPECT_FALSE(TextFileSizeAllowed(kMaxTextFileBytes + 1));
  EXPECT_EQ(DecodeTextFile(std::string(kMaxTextFileBytes + 1, 'a')).refusal,
            TextFileRefusal::kTooLarge);

  std::string five_megabytes;
  while (five_megabytes.size() < 5u * 1024 * 1024) five_megabytes += "linha de texto \xE9\r\n";
  const LoadedTextFile big = DecodeTextFile(five_megabytes);
  EXPECT_EQ(big.refusal, TextFileRefusal::kNone);
  EXPECT_EQ(big.text.size(),
            five_megabytes.size() + five_megabytes.size() / 18);  // é takes 2 bytes
  EXPECT_TRUE(big.text.ends_with("linha de texto é\r\n"));
}

TEST(TextFileEncoding, SaveUsesAnsiUnlessACharacterDoesNotFit) {
  struct Case {
    std::string text;
    TextEncoding encoding;
    std::string bytes;
  };
  const Case cases[] = {
      {"Olá\nmundo €", TextEncoding::kAnsi, "Ol\xE1\r\nmundo \x80\r\n"},
      {"a\r\nb\rc", TextEncoding::kAnsi, "a\r\nb\r\nc\r\n"},
      {"", TextEncoding::kAnsi, "\r\n"},
      {"αβ", TextEncoding::kUtf8Bom, "\xEF\xBB\xBF\xCE\xB1\xCE\xB2\r\n"},
      {"ok \xF0\x9F\x98\x80", TextEncoding::kUtf8Bom, "\xEF\xBB\xBFok \xF0\x9F\x98\x80\r\n"},
      {"Ã©", TextEncoding::kUtf8Bom, "\xEF\xBB\xBFÃ©\r\n"},  // as ANSI it would read as "é"
      {"Привет 你好", TextEncoding::kUtf8Bom, "\xEF\xBB\xBFПривет 你好\r\n"},
  };
  for (const Case& c : cases) {
    const EncodedTextFile file = EncodeTextFile(c.text);
    EXPECT_EQ(file.encoding, c.encoding) << c.text;
    EXPECT_EQ(file.bytes, c.bytes) << c.text;
    EXPECT_EQ(DecodeTextFile(file.bytes).text, ToCrLf(c.text) + "\r\n") << c.text;
  }
}

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
