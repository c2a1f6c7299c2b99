#include "store/text_file_encoding.h"

#include <gtest/gtest.h>

namespace velumbrino {
namespace {

using namespace std::string_literals;

TEST(TextFileEncoding, LoadDetectsTheEncoding) {
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
      {"\xFF\xFE"
       "a\0\xE9\0\x3D\xD8\x00\xDE"s,
       TextEncoding::kUtf16LeBom, "aé\xF0\x9F\x98\x80"},
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
}

TEST(TextFileEncoding, RichTextBinaryAndSize) {
  const LoadedTextFile rtf = DecodeTextFile("{\\rtf1\\ansi ol\\'e1}");
  EXPECT_TRUE(rtf.rich_text);
  EXPECT_EQ(rtf.text, "{\\rtf1\\ansi ol\\'e1}");

  for (const std::string& binary : {"MZ\x90\0\x03"s,
                                    "\xEF\xBB\xBF"
                                    "a\0b"s,
                                    "\xFF\xFE"
                                    "a\0\0\0"s}) {
    const LoadedTextFile file = DecodeTextFile(binary);
    EXPECT_EQ(file.refusal, TextFileRefusal::kBinary);
    EXPECT_EQ(file.text, "");
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
    // Whatever was written loads back as the same text.
    EXPECT_EQ(DecodeTextFile(file.bytes).text, ToCrLf(c.text) + "\r\n") << c.text;
  }
}

}  // namespace
}  // namespace velumbrino
