#include "store/index_file.h"

#include <unordered_set>

#include "store/text_utils.h"

namespace velumbrino {

IndexFile::IndexFile(FileSystem& files, std::string path) : files_(files), path_(std::move(path)) {}

std::optional<std::string> IndexFile::ReadFirstLine() const {
  std::optional<std::string> bytes = files_.ReadFile(path_);
  if (!bytes) return std::nullopt;
  const std::size_t end = bytes->find_first_of("\r\n");
  if (end != std::string::npos) bytes->resize(end);
  return bytes;
}

std::vector<int> IndexFile::Numbers() const {
  return ParseNoteNumbers(ReadFirstLine().value_or(""));
}

std::optional<std::vector<int>> IndexFile::ReadNumbers() const {
  if (const std::optional<std::string> line = ReadFirstLine()) return ParseNoteNumbers(*line);
  if (files_.FileExists(path_)) return std::nullopt;
  return std::vector<int>{};
}

bool IndexFile::Write(std::string_view line) {
  std::string bytes(line);
  bytes += "\r\n";
  return files_.WriteFileAtomic(path_, bytes);
}

std::vector<int> ParseNoteNumbers(std::string_view line) {
  std::vector<int> numbers;
  std::unordered_set<int> seen;
  std::size_t start = 0;
  // Every comma-separated entry counts, also one before the first or after the last comma:
  // a hand-edited "1,2" still names notes 1 and 2.
  for (;;) {
    const std::size_t comma = line.find(',', start);
    const std::string_view field = line.substr(
        start, comma == std::string_view::npos ? std::string_view::npos : comma - start);
    std::optional<int> number = ParseWholeNumber(field);
    if (number && *number > 0 && seen.insert(*number).second) numbers.push_back(*number);
    if (comma == std::string_view::npos) break;
    start = comma + 1;
  }
  return numbers;
}

std::string FormatIndexLine(const std::vector<int>& numbers) {
  std::string line = ",";
  for (int number : numbers) line += std::to_string(number) + ",";
  return line;
}

int SmallestFreeNumber(const std::vector<int>& taken) {
  const std::unordered_set<int> set(taken.begin(), taken.end());
  int n = 1;
  while (set.count(n)) ++n;
  return n;
}

}  // namespace velumbrino
