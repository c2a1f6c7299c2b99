#pragma once
// The one record through which the font, file and printer dialogs take and return values, and
// the pure conversions between it and the fields of the platform's dialog structures. The
// Win32 side copies these fields into CHOOSEFONTW/LOGFONTW and OPENFILENAMEW.

#include <cstdint>
#include <string>
#include <string_view>

#include "store/note_window.h"

namespace velumbrino {

struct DialogSettings {
  // Font dialog, in and out.
  std::string font_name;
  int font_size = 0;  // whole points
  bool bold = false;
  bool italic = false;
  bool underline = false;
  bool strikeout = false;
  Color color = 0;  // text colour, 0x00BBGGRR
  // Parent of the font, file and printer dialogs (an HWND); 0 for none.
  std::uintptr_t owner_window = 0;
  // File dialogs.
  std::string filter;      // "description|pattern|description|pattern"
  std::string file_title;  // out: the chosen name without its folder
  int filter_index = 0;    // in and out, from 1
  std::string file_name;   // out: the chosen full path; callers clear it first
  std::string initial_folder;
  std::string dialog_title;  // empty gives the platform's caption
  std::uint32_t flags = 0;
};

// The record of the whole run: a field the font command cannot read from a mixed selection
// keeps the value of the last use.
DialogSettings& SharedDialogSettings();

// The text up to its first NUL character, or the whole text when it has none.
std::string TextBeforeNul(std::string_view text);

// ---- Font dialog --------------------------------------------------------------------------

inline constexpr int kBoldWeight = 700;
inline constexpr std::uint8_t kDefaultCharset = 1;
inline constexpr std::uint8_t kFontPitchAndFamily = 16;  // FF_ROMAN, default pitch
inline constexpr int kLogFontFaceChars = 31;             // UTF-16 units before the NUL
inline constexpr std::uint32_t kBoldFontType = 0x100;
inline constexpr std::uint32_t kItalicFontType = 0x200;
inline constexpr std::uint32_t kRegularFontType = 0x400;
// CF_SCREENFONTS | CF_PRINTERFONTS | CF_INITTOLOGFONTSTRUCT | CF_EFFECTS | CF_FORCEFONTEXIST.
inline constexpr std::uint32_t kFontDialogFlags = 0x10143;
inline constexpr std::uint32_t kFontDialogFlagsNoEffects = 0x10043;  // without CF_EFFECTS
inline constexpr int kFontDialogMinSize = 10;  // offered, not enforced (no CF_LIMITSIZE)
inline constexpr int kFontDialogMaxSize = 72;

// The LOGFONT fields the font dialog uses; width, escapement, orientation and the
// precision and quality bytes are always 0.
struct LogFontFields {
  int height = 0;
  int weight = 0;
  bool italic = false;
  bool underline = false;
  bool strikeout = false;
  std::uint8_t charset = kDefaultCharset;
  std::uint8_t pitch_and_family = kFontPitchAndFamily;
  std::string face;  // UTF-8
  friend bool operator==(const LogFontFields&, const LogFontFields&) = default;
};

// Points x 1.33 to the nearest whole number (10 -> 13).
int LogFontHeight(int points);
// Points in tenths (10 -> 100) and back to the nearest whole point (125 -> 13).
int PointSizeTenths(int points);
int PointsFromTenths(int tenths);
// Only weight 700 is bold: a face set to 600 in the dialog comes back as not bold.
bool IsBoldWeight(int weight);
// 0x100 for bold plus 0x200 for italic, or 0x400 when neither.
std::uint32_t FontTypeBits(bool bold, bool italic);
std::uint32_t FontDialogFlags(bool no_effects);
// The face cut to what the LOGFONT field holds, never in the middle of a character.
std::string FitFaceName(std::string_view face);

LogFontFields ToLogFont(const DialogSettings& settings);

struct FontDialogRequest {
  LogFontFields log_font;
  int point_size_tenths = 0;
  Color color = 0;
  std::uint32_t font_type = 0;
  int size_min = kFontDialogMinSize;
  int size_max = kFontDialogMaxSize;
  std::uint32_t flags = 0;
  std::uintptr_t owner_window = 0;
};
FontDialogRequest MakeFontDialogRequest(const DialogSettings& settings, bool no_effects);

// What a confirmed dialog hands back. The face may still hold the field's NUL and whatever
// follows it.
struct FontDialogResult {
  LogFontFields log_font;
  int point_size_tenths = 0;
  Color color = 0;
};
// Replaces the font fields and the colour; a size the dialog did not report keeps the old one.
void ApplyFontDialogResult(const FontDialogResult& result, DialogSettings& settings);

// ---- File dialogs -------------------------------------------------------------------------

inline constexpr std::uint32_t kTextFileDialogFlags = 5;  // OFN_READONLY | OFN_HIDEREADONLY
inline constexpr std::uint32_t kOverwritePromptFlag = 2;  // OFN_OVERWRITEPROMPT

// "a|b|c|d" with every '|' turned into NUL and a NUL at the end, so that data() holds the
// double-NUL-terminated list the file dialogs take. An empty filter stays empty (no filter).
std::string FilterWithNuls(std::string_view filter);
// A returned name or title buffer: the text before its first NUL, trimmed of blanks.
std::string FileNameFromBuffer(std::string_view buffer);

struct FileDialogRequest {
  std::uintptr_t owner_window = 0;
  std::string filter;  // NUL-separated, see FilterWithNuls
  int filter_index = 0;
  std::string initial_folder;
  std::string dialog_title;
  std::uint32_t flags = 0;
};
FileDialogRequest MakeFileDialogRequest(const DialogSettings& settings);
// A confirmed dialog: file name, file title and filter index are set. Cancel changes nothing,
// so the caller simply does not call this.
void ApplyFileDialogResult(std::string_view file_buffer, std::string_view title_buffer,
                           int filter_index, DialogSettings& settings);

// The fields both text-file commands set before their dialog: empty file name, the
// Documents folder, the text-file filter and flags 5.
void PrepareTextFileDialog(std::uintptr_t owner_window, std::string_view documents_folder,
                           DialogSettings& settings);

}  // namespace velumbrino
