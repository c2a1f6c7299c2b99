#include <gtest/gtest.h>

#include "platform/custom_colors.h"

#include "store/cp1252.h"
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
