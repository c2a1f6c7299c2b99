#pragma once
// indice.dat: one line of note numbers, opened and closed by commas (",1,2,5,").
// Only the first line counts; the file is always rewritten whole as the line plus CR LF.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "store/file_system.h"

namespace velumbrino {

// The valid note numbers of an index line, in order: positive whole numbers, each once.
// Empty, zero, negative, non-numeric and repeated entries are skipped.
std::vector<int> ParseNoteNumbers(std::string_view line);
// The line that lists these numbers: ",1,2,5,", or "," for none.
std::string FormatIndexLine(const std::vector<int>& numbers);
// Smallest positive number that is not taken.
int SmallestFreeNumber(const std::vector<int>& taken);

class IndexFile {
 public:
  IndexFile(FileSystem& files, std::string path);

  // The first line, untrimmed, without its line end; nullopt when the file is missing.
  std::optional<std::string> ReadFirstLine() const;
  // Writes line + CR LF atomically.
  bool Write(std::string_view line);
  // The note numbers of the first line, as restore, numbering and delete all read them.
  std::vector<int> Numbers() const;
  // The same, but nothing when the file is there and cannot be read (another program holds
  // it): a list written from such a read would drop every note.
  std::optional<std::vector<int>> ReadNumbers() const;
  bool WriteNumbers(const std::vector<int>& numbers) { return Write(FormatIndexLine(numbers)); }

  const std::string& Path() const { return path_; }

 private:
  FileSystem& files_;
  std::string path_;
};

}  // namespace velumbrino
