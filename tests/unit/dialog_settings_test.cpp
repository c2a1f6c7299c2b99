#include "note/dialog_settings.h"

#include <gtest/gtest.h>

#include <tuple>

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
  settings.bold = settings.strikeout = true;
  settings.color = 0x0000FF;
  settings.owner_window = 0x1234;
  settings.file_name = "C:\\a.txt";
  const FontDialogRequest r = MakeFontDialogRequest(settings, false);
  EXPECT_EQ(r.log_font, (LogFontFields{13, 700, false, false, true, 1, 16, "Arial"}));
  EXPECT_EQ(std::tuple(r.point_size_tenths, r.font_type, r.flags, r.size_min, r.size_max,
                       r.owner_window, r.color),
            std::tuple(100, 0x100u, 0x10143u, 10, 72, 0x1234u, 0x0000FFu));

  // A semibold face comes back as not bold; the face stops at its NUL.
  FontDialogResult result{{17, 600, true, true, false, 0, 0, "Segoe UI\0garbage"s}, 125, 0xFF00};
  ApplyFontDialogResult(result, settings);
  // File fields are untouched.
  EXPECT_EQ(std::tuple(settings.font_name, settings.font_size, settings.bold, settings.italic,
                       settings.underline, settings.strikeout, settings.color, settings.file_name),
            std::tuple("Segoe UI", 13, false, true, true, false, 0xFF00u, "C:\\a.txt"));

  result.log_font.weight = 700;
  result.point_size_tenths = 0;  // not reported: the size stays
  ApplyFontDialogResult(result, settings);
  EXPECT_EQ(std::tuple(settings.bold, settings.font_size), std::tuple(true, 13));
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
  EXPECT_EQ(FilterWithNuls("a|b|"), "a\0b\0"s);
  EXPECT_EQ(FilterWithNuls(""), "");

  EXPECT_EQ(FileNameFromBuffer("C:\\Docs\\nota.txt\0" + std::string(200, ' ')),
            "C:\\Docs\\nota.txt");
  EXPECT_EQ(FileNameFromBuffer(std::string(254, ' ')), "");

  DialogSettings settings;
  PrepareTextFileDialog(0x42, "C:\\Users\\ana\\Documents", settings);
  settings.filter_index = 1;
  const FileDialogRequest r = MakeFileDialogRequest(settings);
  EXPECT_EQ(std::tuple(r.owner_window, r.filter, r.initial_folder, r.flags, settings.file_name),
            std::tuple(0x42u, "Documentos de texto (*.txt)\0*.txt\0"s, "C:\\Users\\ana\\Documents",
                       5u, ""));

  ApplyFileDialogResult("C:\\Docs\\nota.txt\0   "s, " nota.txt \0"s, 1, settings);
  EXPECT_EQ(std::pair(settings.file_name, settings.file_title),
            std::pair("C:\\Docs\\nota.txt"s, "nota.txt"s));
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
  EXPECT_EQ(std::tuple(settings.font_name, settings.font_size, settings.bold, settings.italic,
                       settings.color),
            std::tuple("Courier New", 11, true, true, 0x00FF00u));

  DefaultFont font = ToDefaultFont(settings);
  EXPECT_EQ(std::tuple(font.face, font.size, font.bold, font.italic, font.underline),
            std::tuple("Courier New", "11", true, true, false));
  ReadSelectionFont(SelectionFont{.face = "Verdana", .size = 10.5}, ',', font);
  EXPECT_EQ(std::tuple(font.face, font.size, font.bold), std::tuple("Verdana", "10,5", true));

  DialogSettings back;
  back.strikeout = true;
  ApplyDefaultFont(DefaultFont{"Arial", "9,75", false, true, true}, back);
  EXPECT_EQ(std::tuple(back.font_name, back.font_size, back.strikeout),
            std::tuple("Arial", 10, false));
  ApplyDefaultFont(DefaultFont{"Arial", "grande"}, back);
  EXPECT_EQ(back.font_size, 10);

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
