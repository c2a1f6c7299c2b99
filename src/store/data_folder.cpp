#include "store/data_folder.h"

#include <algorithm>

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

std::string BodyFileName(std::string_view note_number) {
  return "stickie" + std::string(note_number) + ".vmb";
}

bool HasBodyExtension(std::string_view file_name) {
  constexpr std::string_view kSuffix = ".vmb";
  if (file_name.size() < kSuffix.size()) return false;
  const std::string_view end = file_name.substr(file_name.size() - kSuffix.size());
  return std::equal(end.begin(), end.end(), kSuffix.begin(), [](char a, char b) {
    return (a >= 'A' && a <= 'Z' ? static_cast<char>(a - 'A' + 'a') : a) == b;
  });
}

std::optional<int> BodyFileNumber(std::string_view file_name) {
  constexpr std::string_view kPrefix = "stickie";
  if (!HasBodyExtension(file_name) || file_name.size() <= kPrefix.size() + 4) return std::nullopt;
  for (std::size_t i = 0; i < kPrefix.size(); ++i) {
    const char c = file_name[i];
    if ((c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c) != kPrefix[i]) {
      return std::nullopt;
    }
  }
  const std::string_view digits =
      file_name.substr(kPrefix.size(), file_name.size() - kPrefix.size() - 4);
  if (digits.front() == '0' ||
      !std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; })) {
    return std::nullopt;
  }
  const std::optional<int> number = ParseWholeNumber(digits);
  if (!number || *number <= 0) return std::nullopt;
  return number;
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
