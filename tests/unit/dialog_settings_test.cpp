#include "note/dialog_settings.h"

#include <gtest/gtest.h>

#include "note/font_settings.h"
#include "note/save_path.h"

namespace velumbrino {
namespace {

using namespace std::string_literals;

TEST(FontDialogConversions, Table) {
  struct Case {
    int points, height, tenths;
  };
  for (const Case& c :
       {Case{10, 13, 100}, Case{8, 11, 80}, Case{12, 16, 120}, Case{72, 96, 720}, Case{0, 0, 0}}) {
    EXPECT_EQ(LogFontHeight(c.points), c.height) << c.points;
    EXPECT_EQ(PointSizeTenths(c.points), c.tenths) << c.points;
    EXPECT_EQ(PointsFromTenths(c.tenths), c.points) << c.points;
  }
  EXPECT_EQ(PointsFromTenths(105), 11);
  EXPECT_EQ(PointsFromTenths(104), 10);
  EXPECT_EQ(LogFontHeight(2147483647), 2147483647);  // no overflow
}

TEST(FontDialogConversions, RequestAndResult) {
  DialogSettings settings;
  settings.font_name = "Arial";
  settings.font_size = 10;
  settings.bold = true;
  settings.strikeout = true;
  settings.color = 0x0000FF;
  settings.owner_window = 0x1234;
  settings.file_name = "C:\\a.txt";
  const FontDialogRequest request = MakeFontDialogRequest(settings, false);
  EXPECT_EQ(request.log_font, (LogFontFields{13, 700, false, false, true, 1, 16, "Arial"}));
  EXPECT_EQ(request.point_size_tenths, 100);
  EXPECT_EQ(request.font_type, 0x100u);
  EXPECT_EQ(request.flags, 0x10143u);
  EXPECT_EQ(request.size_min, 10);
  EXPECT_EQ(request.size_max, 72);
  EXPECT_EQ(request.owner_window, 0x1234u);
  EXPECT_EQ(request.color, 0x0000FFu);

  // A semibold face comes back as not bold; the face stops at its NUL.
  FontDialogResult result{{17, 600, true, true, false, 0, 0, "Segoe UI\0garbage"s}, 125, 0xFF00};
  ApplyFontDialogResult(result, settings);
  EXPECT_EQ(settings.font_name, "Segoe UI");
  EXPECT_EQ(settings.font_size, 13);
  EXPECT_FALSE(settings.bold);
  EXPECT_TRUE(settings.italic);
  EXPECT_TRUE(settings.underline);
  EXPECT_FALSE(settings.strikeout);
  EXPECT_EQ(settings.color, 0xFF00u);
  EXPECT_EQ(settings.file_name, "C:\\a.txt");  // file fields untouched

  result.log_font.weight = 700;
  result.point_size_tenths = 0;  // not reported: the size stays
  ApplyFontDialogResult(result, settings);
  EXPECT_TRUE(settings.bold);
  EXPECT_EQ(settings.font_size, 13);
}

TEST(FontDialogConversions, FaceNameFitsTheField) {
  EXPECT_EQ(FitFaceName("Arial"), "Arial");
  EXPECT_EQ(FitFaceName(std::string(40, 'x')), std::string(31, 'x'));
  // 30 ASCII + "é" (one unit) fits; 30 ASCII + an emoji (two units) does not.
  EXPECT_EQ(FitFaceName(std::string(30, 'x') + "é!"), std::string(30, 'x') + "é");
  EXPECT_EQ(FitFaceName(std::string(30, 'x') + "\xF0\x9F\x98\x80"), std::string(30, 'x'));
}

TEST(FileDialogConversions, FilterBuffersAndResult) {
  EXPECT_EQ(FilterWithNuls("Documentos de texto (*.txt)|*.txt"),
            "Documentos de texto (*.txt)\0*.txt\0"s);
  EXPECT_EQ(FilterWithNuls("a|b|c|d"), "a\0b\0c\0d\0"s);
  EXPECT_EQ(FilterWithNuls("a|b|"), "a\0b\0"s);
  EXPECT_EQ(FilterWithNuls(""), "");

  EXPECT_EQ(FileNameFromBuffer("C:\\Docs\\nota.txt\0" + std::string(200, ' ')),
            "C:\\Docs\\nota.txt");
  EXPECT_EQ(FileNameFromBuffer(std::string(254, ' ')), "");

  DialogSettings settings;
  PrepareTextFileDialog(0x42, "C:\\Users\\ana\\Documents", settings);
  settings.filter_index = 1;
  const FileDialogRequest request = MakeFileDialogRequest(settings);
  EXPECT_EQ(request.owner_window, 0x42u);
  EXPECT_EQ(request.filter, "Documentos de texto (*.txt)\0*.txt\0"s);
  EXPECT_EQ(request.initial_folder, "C:\\Users\\ana\\Documents");
  EXPECT_EQ(request.flags, 5u);
  EXPECT_EQ(settings.file_name, "");

  ApplyFileDialogResult("C:\\Docs\\nota.txt\0   "s, " nota.txt \0"s, 1, settings);
  EXPECT_EQ(settings.file_name, "C:\\Docs\\nota.txt");
  EXPECT_EQ(settings.file_title, "nota.txt");
  PrepareTextFileDialog(0x42, "C:\\Docs", settings);  // the next command starts empty again
  EXPECT_EQ(settings.file_name, "");
}

TEST(FontSettings, SelectionAndDefaultFont) {
  DialogSettings settings;
  settings.font_name = "Courier New";
  settings.font_size = 12;
  settings.italic = true;
  // Mixed face and italic keep the last values; the size is rounded to whole points.
  ReadSelectionFont(
      SelectionFont{.size = 10.6, .bold = true, .underline = false, .color = 0x00FF00}, settings);
  EXPECT_EQ(settings.font_name, "Courier New");
  EXPECT_EQ(settings.font_size, 11);
  EXPECT_TRUE(settings.bold);
  EXPECT_TRUE(settings.italic);
  EXPECT_EQ(settings.color, 0x00FF00u);

  DefaultFont font = ToDefaultFont(settings);
  EXPECT_EQ(font.face, "Courier New");
  EXPECT_EQ(font.size, "11");
  EXPECT_TRUE(font.bold && font.italic && !font.underline);

  ReadSelectionFont(SelectionFont{.face = "Verdana", .size = 10.5}, ',', font);
  EXPECT_EQ(font.face, "Verdana");
  EXPECT_EQ(font.size, "10,5");
  EXPECT_TRUE(font.bold);  // mixed: kept

  DialogSettings back;
  back.strikeout = true;
  ApplyDefaultFont(DefaultFont{"Arial", "9,75", false, true, true}, back);
  EXPECT_EQ(back.font_name, "Arial");
  EXPECT_EQ(back.font_size, 10);
  EXPECT_FALSE(back.strikeout);
  ApplyDefaultFont(DefaultFont{"Arial", "grande"}, back);
  EXPECT_EQ(back.font_size, 10);

  EXPECT_EQ(FontSizeText(10.0, ','), "10");
  EXPECT_EQ(FontSizeText(9.75, ','), "9,75");
  EXPECT_EQ(FontSizeText(11.5, '.'), "11.5");
  EXPECT_EQ(FontSizeText(-3.0, ','), "10");
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
