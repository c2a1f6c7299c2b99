#include "store/data_folder.h"

#include <gtest/gtest.h>

#include <map>

#include "store/default_font.h"
#include "temp_folder.h"

namespace velumbrino {
namespace {

TEST(DataFolder, FirstRunWritesTheThreeFilesByteForByte) {
  testing::TempFolder dir;
  const std::string folder = dir.Path() + "Docs/Velumbrino/";
  ASSERT_EQ(PrepareDataFolder(StdFileSystem(), folder, "joão"), PrepareResult::kCreated);
  EXPECT_EQ(dir.Read("Docs/Velumbrino/config.cfg"),
            "[Indice]\rTotalForms = 1\r[1]\rTop = 5175\rLeft = 8760\rTag = 1\r"
            "Titulo=Bem Vindo !\rVisivel = True\rOnTop = True\r\n");
  EXPECT_EQ(dir.Read("Docs/Velumbrino/indice.dat"), ",1,\r\n");
  EXPECT_EQ(
      dir.Read("Docs/Velumbrino/stickie1.vmb"),
      "{\\rtf1\\ansi\\ansicpg1252\\deff0\\deflang1046{\\fonttbl{\\f0\\fnil Tahoma;}{\\f1\\froman"
      "\\fprq2\\fcharset0 Times New Roman;}{\\f2\\fnil\\fcharset0 Tahoma;}}\r"
      "{\\colortbl ;\\red0\\green0\\blue0;\\red128\\green0\\blue0;}\r"
      "\\viewkind4\\uc1\\pard\\cf1\\f0\\fs16\r"
      "\\par \\cf2\\i\\f1\\fs20 Ola jo\xE3o agora voc\\'ea tem um aplicativo que lhe ajudar\\'e1 a "
      "gerenciar os seus recados de forma simples. O Velumbrino \\'e9 simples, f\\'e1cil de "
      "operar e muito \\'fatil no seu dia a dia\\cf1 .\\cf0\\i0  \\cf1\\f0\\fs16\r"
      "\\par \\f2\r"
      "\\par }\r\n");
}

TEST(DataFolder, ExistingFolderEvenEmptyIsNotAFirstRun) {
  testing::TempFolder dir;
  EXPECT_EQ(PrepareDataFolder(StdFileSystem(), dir.Path(), "ana"), PrepareResult::kExisting);
  EXPECT_FALSE(dir.Exists("config.cfg"));
  EXPECT_FALSE(dir.Exists("indice.dat"));
}

TEST(DataFolder, LoginNameCannotBreakTheRtf) {
  const std::string body = WelcomeBodyBytes("a{b}\\c");
  EXPECT_NE(body.find("Ola a\\{b\\}\\\\c agora"), std::string::npos);
}

TEST(DataFolder, PathsAndNames) {
  EXPECT_EQ(DataFolderPathFor(""), std::string(1, kPathSeparator) + "Velumbrino" + kPathSeparator);
  EXPECT_EQ(BodyFileName("12"), "stickie12.vmb");
}

class MapPreferences : public PreferenceStore {
 public:
  std::string Get(std::string_view name, std::string_view fallback) const override {
    reads.emplace_back(name);
    auto it = values.find(std::string(name));
    return it == values.end() ? std::string(fallback) : it->second;
  }
  bool Set(std::string_view name, std::string_view value) override {
    values[std::string(name)] = std::string(value);
    writes.emplace_back(name);
    return true;
  }
  std::map<std::string, std::string> values;
  mutable std::vector<std::string> reads;
  std::vector<std::string> writes;
};

TEST(DefaultFontStore, DefaultsOrderAndRoundTrip) {
  MapPreferences prefs;
  DefaultFont font = LoadDefaultFont(prefs);
  EXPECT_EQ(font.face, "Arial");
  EXPECT_EQ(font.size, "10");
  EXPECT_FALSE(font.bold || font.italic || font.underline);
  EXPECT_EQ(prefs.reads, (std::vector<std::string>{"FontSize", "FontNome", "FontNegrito",
                                                   "FontItalico", "FontSublinhado"}));

  ASSERT_TRUE(SaveDefaultFont(prefs, {"Comic Sans MS", "14", true, false, true}));
  EXPECT_EQ(prefs.writes, (std::vector<std::string>{"FontNome", "FontSize", "FontNegrito",
                                                    "FontItalico", "FontSublinhado"}));
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
