#include "platform/dialog_settings.h"

#include <gtest/gtest.h>

#include <tuple>

#include "note/font_settings.h"
#include "note/save_path.h"

namespace velumbrino {
namespace {

TEST(FontDialogConversions, FaceNameFitsTheField) {
  EXPECT_EQ(FitFaceName("Arial"), "Arial");
  EXPECT_EQ(FitFaceName(std::string(40, 'x')), std::string(31, 'x'));
  // 30 ASCII + "é" (one unit) fits; 30 ASCII + an emoji (two units) does not.
  EXPECT_EQ(FitFaceName(std::string(30, 'x') + "é!"), std::string(30, 'x') + "é");
  EXPECT_EQ(FitFaceName(std::string(30, 'x') + "\xF0\x9F\x98\x80"), std::string(30, 'x'));
}

TEST(FontSettings, SelectionAndDefaultFont) {
  DialogSettings settings;
  settings.font_name = "Courier New";
  settings.font_size = 12;
  settings.italic = true;
  // Mixed face and italic keep the last values; the size is rounded to whole points.
  ReadSelectionFont(
      SelectionFont{.size = 10.6, .bold = true, .underline = false, .color = 0x00FF00}, settings);
  EXPECT_EQ(std::tuple(settings.font_name, settings.font_size, settings.bold, settings.italic,
                       settings.color),
            std::tuple("Courier New", 11, true, true, 0x00FF00u));

  DefaultFont font{"Courier New", "11", true, true, false};
  ReadSelectionFont(SelectionFont{.face = "Verdana", .size = 10.5}, ',', font);
  EXPECT_EQ(std::tuple(font.face, font.size, font.bold), std::tuple("Verdana", "10,5", true));

  EXPECT_EQ(FontSizeText(10.0, ',') + " " + FontSizeText(9.75, ',') + " " +
                FontSizeText(11.5, '.') + " " + FontSizeText(-3.0, ','),
            "10 9,75 11.5 10");
}

TEST(TextFileSavePath, AlwaysATxtFileInTheChosenFolder) {
  const std::pair<const char*, const char*> cases[] = {
      {"C:\\notas.antigas\\nota", "C:\\notas.antigas\\nota.txt"},
      {"C:\\Docs\\nota.rtf", "C:\\Docs\\nota.txt"},
      {"C:\\Docs\\nota.txt", "C:\\Docs\\nota.txt"},
      {"nota", "nota.txt"},
      {"C:\\v1.2/nota", "C:\\v1.2/nota.txt"},
      {"C:\\Docs\\a.tar.gz", "C:\\Docs\\a.tar.txt"},
  };
  for (const auto& [chosen, written] : cases) EXPECT_EQ(TextFileSavePath(chosen), written);
}

}  // namespace
}  // namespace velumbrino
