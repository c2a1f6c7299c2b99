#include "store/body_load_marker.h"

#include <algorithm>
#include <string_view>

#include "store/text_utils.h"
#include "ui_strings.h"

namespace velumbrino {
namespace {

constexpr std::string_view kLoadingKey = "carregando";
constexpr std::string_view kSetAsideKey = "separada";
// Long titles are cut so that the notice still names the file within a balloon's room.
constexpr std::size_t kMaxTitleBytes = 60;

std::vector<std::string_view> Lines(std::string_view text) {
  std::vector<std::string_view> lines;
  std::size_t start = 0;
  for (std::size_t i = 0; i <= text.size(); ++i) {
    if (i == text.size() || text[i] == '\r' || text[i] == '\n') {
      lines.push_back(text.substr(start, i - start));
      start = i + 1;
    }
  }
  return lines;
}

}  // namespace

LoadMarkerContents ParseLoadMarker(const std::string& bytes) {
  LoadMarkerContents contents;
  for (std::string_view line : Lines(bytes)) {
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos) continue;
    const std::string_view key = Trim(line.substr(0, equals));
    const std::optional<int> number = ParseWholeNumber(Trim(line.substr(equals + 1)));
    if (!number || *number <= 0) continue;
    if (key == kLoadingKey) contents.loading = number;
    if (key == kSetAsideKey) contents.set_aside.insert(*number);
  }
  return contents;
}

std::string FormatLoadMarker(const LoadMarkerContents& contents) {
  std::string out;
  if (contents.loading) {
    out += std::string(kLoadingKey) + "=" + std::to_string(*contents.loading) + "\r\n";
  }
  for (int number : contents.set_aside) {
    out += std::string(kSetAsideKey) + "=" + std::to_string(number) + "\r\n";
  }
  return out;
}

BodyLoadMarker::BodyLoadMarker(FileSystem& files, const std::string& data_folder_path)
    : files_(files), path_(data_folder_path + kLoadMarkerFileName) {}

std::optional<int> BodyLoadMarker::ReadAtStart() {
  const std::optional<std::string> bytes = files_.ReadFile(path_);
  if (!bytes) return std::nullopt;
  LoadMarkerContents contents = ParseLoadMarker(*bytes);
  set_aside_ = std::move(contents.set_aside);
  loading_.reset();
  std::optional<int> crashed;
  if (contents.loading && set_aside_.insert(*contents.loading).second) crashed = contents.loading;
  // Settled now: another fall before the restore ends must not lose what was learnt.
  Write();
  return crashed;
}

bool BodyLoadMarker::BeginLoad(int number) {
  loading_ = number;
  return Write();
}

void BodyLoadMarker::EndLoad() {
  if (!loading_ && !unwritten_) return;
  loading_.reset();
  Write();
}

void BodyLoadMarker::Forget(int number) {
  if (set_aside_.erase(number) == 0) return;
  Write();
}

void BodyLoadMarker::KeepOnly(const std::vector<int>& numbers) {
  const std::size_t removed = std::erase_if(set_aside_, [&](int number) {
    return std::find(numbers.begin(), numbers.end(), number) == numbers.end();
  });
  if (removed > 0) Write();
}

bool BodyLoadMarker::Write() {
  unwritten_ = !WriteNow();
  return !unwritten_;
}

bool BodyLoadMarker::WriteNow() {
  if (!loading_ && set_aside_.empty()) {
    return !files_.FileExists(path_) || files_.RemoveFile(path_);
  }
  const std::string bytes = FormatLoadMarker({loading_, set_aside_});
  // Naming a load, unflushed: it guards against a body that brings the process down, and what
  // the process wrote outlives it; restore writes it before each of hundreds of bodies. Naming
  // none, flushed: a power cut must not bring back an older record naming a load that returned.
  return loading_ ? files_.WriteFileUnflushed(path_, bytes) : files_.WriteFileAtomic(path_, bytes);
}

std::string SetAsideBodyText(const std::string& body_file_name) {
  return FormatText(TXT_BODY_SET_ASIDE, body_file_name);
}

std::string UnreadableBodyText(const std::string& body_file_name) {
  return FormatText(TXT_BODY_UNREADABLE, body_file_name);
}

std::string SetAsideNotice(const std::string& note_title, const std::string& body_path) {
  std::string title = note_title;
  if (title.size() > kMaxTitleBytes) title = std::string(FirstBytes(title, kMaxTitleBytes)) + "...";
  return FormatText(TXT_BODY_SET_ASIDE_NOTICE, title, body_path);
}

}  // namespace velumbrino
