#include "store/index_file.h"

#include <unordered_set>

#include "store/text_utils.h"

namespace velumbrino {

IndexFile::IndexFile(FileSystem& files, std::string path)
    : files_(files), path_(std::move(path)) {}

std::optional<std::string> IndexFile::ReadFirstLine() const {
  std::optional<std::string> bytes = files_.ReadFile(path_);
  if (!bytes) return std::nullopt;
  const std::size_t end = bytes->find_first_of("\r\n");
  if (end != std::string::npos) bytes->resize(end);
  return bytes;
}

bool IndexFile::Write(std::string_view line) {
  std::string bytes(line);
  bytes += "\r\n";
  return files_.WriteFileAtomic(path_, bytes);
}

namespace {

// Calls visit(field) for each text between two neighbouring commas.
template <typename Visit>
void ForEachClosedField(std::string_view line, Visit visit) {
  std::size_t open = line.find(',');
  while (open != std::string_view::npos) {
    const std::size_t close = line.find(',', open + 1);
    if (close == std::string_view::npos) return;
    visit(line.substr(open + 1, close - open - 1));
    open = close;
  }
}

}  // namespace

std::vector<int> ParseNoteNumbers(std::string_view line) {
  std::vector<int> numbers;
  std::unordered_set<int> seen;
  std::size_t start = 0;
  // Every comma-separated entry counts, also one before the first or after the last comma:
  // a hand-edited "1,2" still names notes 1 and 2.
  for (;;) {
    const std::size_t comma = line.find(',', start);
    const std::string_view field =
        line.substr(start, comma == std::string_view::npos ? std::string_view::npos : comma - start);
    std::optional<int> number = ParseWholeNumber(field);
    if (number && *number > 0 && seen.insert(*number).second) numbers.push_back(*number);
    if (comma == std::string_view::npos) break;
    start = comma + 1;
  }
  return numbers;
}

int SmallestFreeNumber(std::string_view line) {
  // Only ",n," written exactly (no sign, blank or leading zero) takes n.
  std::unordered_set<long long> taken;
  ForEachClosedField(line, [&](std::string_view field) {
    if (field.empty() || field.size() > 10 || field.front() == '0') return;
    long long value = 0;
    for (char c : field) {
      if (c < '0' || c > '9') return;
      value = value * 10 + (c - '0');
    }
    taken.insert(value);
  });
  int n = 1;
  while (taken.count(n)) ++n;
  return n;
}

}  // namespace velumbrino
