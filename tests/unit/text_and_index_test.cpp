#include <gtest/gtest.h>

#include "platform/custom_colors.h"

#include "store/cp1252.h"
#include "store/index_file.h"
#include "store/text_utils.h"

namespace velumbrino {
namespace {

TEST(NumberText, ParsingRules) {
  EXPECT_EQ(Trim(" \t a b \t"), "a b");
  EXPECT_EQ(LeadingNumber("12abc"), 12);
  EXPECT_EQ(LeadingNumber("  -5x"), -5);
  EXPECT_EQ(LeadingNumber("abc"), 0);
  EXPECT_EQ(LeadingNumber(""), 0);
  EXPECT_EQ(LeadingNumber("99999999999999999999999"), 2147483647);
  EXPECT_EQ(LeadingNumber("-99999999999"), -2147483648LL);

  EXPECT_EQ(ParseWholeNumber(" 42 "), 42);
  EXPECT_EQ(ParseWholeNumber("-2147483648"), -2147483647 - 1);
  EXPECT_EQ(ParseWholeNumber("2147483648"), std::nullopt);
  EXPECT_EQ(ParseWholeNumber("4 2"), std::nullopt);
  EXPECT_EQ(ParseWholeNumber("-"), std::nullopt);
  EXPECT_EQ(ParseWholeNumber(""), std::nullopt);
}

// A damaged index line names each valid number once, in order, and nothing else; the line
// written back reads the same. A megabyte line stays fast.
TEST(IndexLine, EveryValidNumberOnceAndNothingElse) {
  using namespace std::string_literals;
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
  const CustomColors expected = {255,      0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 65280,
                                 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF,
                                 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF};
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
  EXPECT_EQ(Utf8ToCp1252("a\xFF"
                         "b"),
            "a?b");  // malformed UTF-8
  std::string all;
  for (int byte = 0; byte < 256; ++byte) all += static_cast<char>(byte);
  EXPECT_EQ(Utf8ToCp1252(Cp1252ToUtf8(all)), all);
}

}  // namespace
}  // namespace velumbrino
