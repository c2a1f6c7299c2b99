#include "store/data_folder.h"

#include <gtest/gtest.h>

#include <map>

#include "store/default_font.h"
#include "temp_folder.h"

namespace velumbrino {
namespace {

TEST(DataFolder, LoginNameCannotBreakTheRtf) {
  const std::string body = WelcomeBodyBytes("a{b}\\c");
  EXPECT_NE(body.find("Ola a\\{b\\}\\\\c agora"), std::string::npos);
}

class MapPreferences : public PreferenceStore {
 public:
  std::string Get(std::string_view name, std::string_view fallback) const override {
    auto it = values.find(std::string(name));
    return it == values.end() ? std::string(fallback) : it->second;
  }
  bool Set(std::string_view name, std::string_view value) override {
    values[std::string(name)] = std::string(value);
    return true;
  }
  std::map<std::string, std::string> values;
};

TEST(DefaultFontStore, DefaultsAndRoundTrip) {
  MapPreferences prefs;
  DefaultFont font = LoadDefaultFont(prefs);
  EXPECT_EQ(font.face, "Arial");
  EXPECT_EQ(font.size, "10");
  EXPECT_FALSE(font.bold || font.italic || font.underline);

  ASSERT_TRUE(SaveDefaultFont(prefs, {"Comic Sans MS", "14", true, false, true}));
  EXPECT_EQ(prefs.values["FontNegrito"], "True");
  EXPECT_EQ(prefs.values["FontItalico"], "False");
  font = LoadDefaultFont(prefs);
  EXPECT_EQ(font.face, "Comic Sans MS");
  EXPECT_TRUE(font.bold);
  EXPECT_TRUE(font.underline);

  prefs.values["FontNegrito"] = "garbage";
  EXPECT_FALSE(LoadDefaultFont(prefs).bold);
}

}  // namespace
}  // namespace velumbrino
