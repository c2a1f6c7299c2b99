#include "store/data_folder.h"

#include <algorithm>

#include "store/body_load_marker.h"
#include "store/cp1252.h"
#include "store/text_utils.h"

namespace velumbrino {

std::string DataFolderPathFor(std::string_view documents_folder) {
  std::string path(documents_folder);
  path += kPathSeparator;
  path += "Velumbrino";
  path += kPathSeparator;
  return path;
}

namespace {

constexpr std::string_view kBodyPrefix = "stickie";
constexpr std::string_view kBodySuffix = ".vmb";
constexpr std::string_view kTempMark = ".~";
constexpr std::string_view kTempSuffix = ".tmp";

bool AllDigits(std::string_view text) {
  return !text.empty() &&
         std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// The file an atomic-write temp belongs to: "<name>.~<digits and hyphens>.tmp" -> "<name>".
std::optional<std::string_view> TempFileTarget(std::string_view lower_name) {
  if (!lower_name.ends_with(kTempSuffix)) return std::nullopt;
  lower_name.remove_suffix(kTempSuffix.size());
  const std::size_t mark = lower_name.rfind(kTempMark);
  if (mark == std::string_view::npos) return std::nullopt;
  const std::string_view counter = lower_name.substr(mark + kTempMark.size());
  const bool counter_ok =
      !counter.empty() && std::all_of(counter.begin(), counter.end(),
                                      [](char c) { return (c >= '0' && c <= '9') || c == '-'; });
  if (!counter_ok) return std::nullopt;
  return lower_name.substr(0, mark);
}

bool IsOwnTarget(std::string_view lower_name) {
  return lower_name == kIndexFileName || lower_name == kSettingsFileName ||
         lower_name == kLoadMarkerFileName || BodyFileNumber(lower_name).has_value();
}

}  // namespace

std::string BodyFileName(std::string_view note_number) {
  return std::string(kBodyPrefix) + std::string(note_number) + std::string(kBodySuffix);
}

std::optional<int> BodyFileNumber(std::string_view file_name) {
  const std::string lower = LowerAscii(file_name);
  std::string_view name = lower;
  if (!name.starts_with(kBodyPrefix) || !name.ends_with(kBodySuffix)) return std::nullopt;
  name.remove_prefix(kBodyPrefix.size());
  name.remove_suffix(kBodySuffix.size());
  if (!AllDigits(name) || name.front() == '0') return std::nullopt;
  const std::optional<int> number = ParseWholeNumber(name);
  if (!number || *number <= 0) return std::nullopt;
  return number;
}

bool IsOwnDataFileName(std::string_view file_name) {
  const std::string lower = LowerAscii(file_name);
  if (IsOwnTarget(lower)) return true;
  const auto target = TempFileTarget(lower);
  return target && IsOwnTarget(*target);
}

bool HasBodyExtension(std::string_view file_name) {
  return LowerAscii(file_name).ends_with(kBodySuffix);
}

namespace {

// Lines joined by a lone CR with CR LF after the last: the seed files' exact form.
std::string JoinSeedLines(std::initializer_list<std::string_view> lines) {
  std::string out;
  bool first = true;
  for (std::string_view line : lines) {
    if (!first) out += '\r';
    out += line;
    first = false;
  }
  return out + "\r\n";
}

// A login name may hold RTF's own control characters; escape them so the body stays RTF.
std::string EscapeRtf(std::string_view bytes) {
  std::string out;
  for (char c : bytes) {
    if (c == '\\' || c == '{' || c == '}') out += '\\';
    out += c;
  }
  return out;
}

}  // namespace

std::string WelcomeSettingsBytes() {
  return JoinSeedLines({"[Indice]", "TotalForms = 1", "[1]", "Top = 5175", "Left = 8760",
                        "Tag = 1", "Titulo=Bem Vindo !", "Visivel = True", "OnTop = True"});
}

std::string WelcomeBodyBytes(std::string_view login_name_utf8) {
  const std::string greeting =
      "\\par \\cf2\\i\\f1\\fs20 Ola " + EscapeRtf(Utf8ToCp1252(login_name_utf8)) +
      " agora voc\\'ea tem um aplicativo que lhe ajudar\\'e1 a gerenciar os seus recados de "
      "forma simples. O Velumbrino \\'e9 simples, f\\'e1cil de operar e muito \\'fatil no seu "
      "dia a dia\\cf1 .\\cf0\\i0  \\cf1\\f0\\fs16";
  return JoinSeedLines(
      {"{\\rtf1\\ansi\\ansicpg1252\\deff0\\deflang1046{\\fonttbl{\\f0\\fnil Tahoma;}{\\f1\\froman"
       "\\fprq2\\fcharset0 Times New Roman;}{\\f2\\fnil\\fcharset0 Tahoma;}}",
       "{\\colortbl ;\\red0\\green0\\blue0;\\red128\\green0\\blue0;}",
       "\\viewkind4\\uc1\\pard\\cf1\\f0\\fs16", greeting, "\\par \\f2", "\\par }"});
}

std::string WelcomeIndexBytes() { return ",1,\r\n"; }

PrepareResult PrepareDataFolder(FileSystem& files, const std::string& data_folder_path,
                                std::string_view login_name_utf8) {
  if (files.DirectoryExists(data_folder_path)) return PrepareResult::kExisting;
  if (!files.CreateDirectories(data_folder_path)) return PrepareResult::kFailed;
  const bool written =
      files.WriteFileAtomic(data_folder_path + kSettingsFileName, WelcomeSettingsBytes()) &&
      files.WriteFileAtomic(data_folder_path + BodyFileName("1"),
                            WelcomeBodyBytes(login_name_utf8)) &&
      files.WriteFileAtomic(data_folder_path + kIndexFileName, WelcomeIndexBytes());
  return written ? PrepareResult::kCreated : PrepareResult::kFailed;
}

}  // namespace velumbrino
