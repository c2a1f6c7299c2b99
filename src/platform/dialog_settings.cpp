#include "platform/dialog_settings.h"

#include <algorithm>
#include <climits>
#include <cmath>

#include "store/text_utils.h"
#include "ui_strings.h"

namespace velumbrino {

namespace {

int RoundToInt(double value) {
  const double rounded = std::round(value);
  if (!(rounded >= static_cast<double>(INT_MIN))) return INT_MIN;  // also NaN
  if (rounded > static_cast<double>(INT_MAX)) return INT_MAX;
  return static_cast<int>(rounded);
}

}  // namespace

DialogSettings& SharedDialogSettings() {
  static DialogSettings settings;
  return settings;
}

std::string TextBeforeNul(std::string_view text) {
  return std::string(text.substr(0, text.find('\0')));
}

int LogFontHeight(int points) { return RoundToInt(points * 1.33); }

int PointSizeTenths(int points) { return RoundToInt(points * 10.0); }

int PointsFromTenths(int tenths) { return RoundToInt(tenths / 10.0); }

bool IsBoldWeight(int weight) { return weight == kBoldWeight; }

std::uint32_t FontTypeBits(bool bold, bool italic) {
  std::uint32_t bits = 0;
  if (bold) bits |= kBoldFontType;
  if (italic) bits |= kItalicFontType;
  return bits == 0 ? kRegularFontType : bits;
}

std::uint32_t FontDialogFlags(bool no_effects) {
  return no_effects ? kFontDialogFlagsNoEffects : kFontDialogFlags;
}

std::string FitFaceName(std::string_view face) {
  face = face.substr(0, face.find('\0'));
  std::size_t end = 0;
  int units = 0;
  while (end < face.size()) {
    const std::size_t length = std::max<std::size_t>(Utf8SequenceAt(face, end), 1);
    const int needed = length == 4 ? 2 : 1;  // characters beyond U+FFFF take a surrogate pair
    if (units + needed > kLogFontFaceChars) break;
    units += needed;
    end += length;
  }
  return std::string(face.substr(0, end));
}

LogFontFields ToLogFont(const DialogSettings& settings) {
  LogFontFields font;
  font.height = LogFontHeight(settings.font_size);
  font.weight = settings.bold ? kBoldWeight : 0;
  font.italic = settings.italic;
  font.underline = settings.underline;
  font.strikeout = settings.strikeout;
  font.face = FitFaceName(settings.font_name);
  return font;
}

FontDialogRequest MakeFontDialogRequest(const DialogSettings& settings, bool no_effects) {
  FontDialogRequest request;
  request.log_font = ToLogFont(settings);
  request.point_size_tenths = PointSizeTenths(settings.font_size);
  request.color = settings.color;
  request.font_type = FontTypeBits(settings.bold, settings.italic);
  request.flags = FontDialogFlags(no_effects);
  request.owner_window = settings.owner_window;
  return request;
}

void ApplyFontDialogResult(const FontDialogResult& result, DialogSettings& settings) {
  settings.font_name = TextBeforeNul(result.log_font.face);
  if (result.point_size_tenths > 0) {
    settings.font_size = PointsFromTenths(result.point_size_tenths);
  }
  settings.bold = IsBoldWeight(result.log_font.weight);
  settings.italic = result.log_font.italic;
  settings.underline = result.log_font.underline;
  settings.strikeout = result.log_font.strikeout;
  settings.color = result.color;
}

std::string FilterWithNuls(std::string_view filter) {
  std::string list(filter);
  if (list.empty()) return list;
  std::replace(list.begin(), list.end(), '|', '\0');
  if (list.back() != '\0') list += '\0';
  return list;
}

std::string FileNameFromBuffer(std::string_view buffer) {
  return std::string(Trim(TextBeforeNul(buffer)));
}

FileDialogRequest MakeFileDialogRequest(const DialogSettings& settings) {
  FileDialogRequest request;
  request.owner_window = settings.owner_window;
  request.filter = FilterWithNuls(settings.filter);
  request.filter_index = settings.filter_index;
  request.initial_folder = settings.initial_folder;
  request.dialog_title = settings.dialog_title;
  request.flags = settings.flags;
  return request;
}

void ApplyFileDialogResult(std::string_view file_buffer, std::string_view title_buffer,
                           int filter_index, DialogSettings& settings) {
  settings.file_name = FileNameFromBuffer(file_buffer);
  settings.file_title = FileNameFromBuffer(title_buffer);
  settings.filter_index = filter_index;
}

void PrepareTextFileDialog(std::uintptr_t owner_window, std::string_view documents_folder,
                           DialogSettings& settings) {
  settings.file_name.clear();
  settings.initial_folder = std::string(documents_folder);
  settings.owner_window = owner_window;
  settings.filter = TXT_TEXT_FILE_FILTER;
  settings.flags = kTextFileDialogFlags;
}

}  // namespace velumbrino
