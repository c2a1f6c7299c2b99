#pragma once
// indice.dat: one line of note numbers, opened and closed by commas (",1,2,5,").
// Only the first line counts; the file is always rewritten whole as the line plus CR LF.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "store/file_system.h"

namespace velumbrino {

class IndexFile {
 public:
  IndexFile(FileSystem& files, std::string path);

  // The first line, untrimmed, without its line end; nullopt when the file is missing.
  std::optional<std::string> ReadFirstLine() const;
  // Writes line + CR LF atomically.
  bool Write(std::string_view line);

  const std::string& Path() const { return path_; }

 private:
  FileSystem& files_;
  std::string path_;
};

// The valid note numbers of an index line, in order: positive whole numbers, each once.
// Empty, zero, negative, non-numeric and repeated entries are skipped.
std::vector<int> ParseNoteNumbers(std::string_view line);
// Smallest positive n for which ",n," does not occur in the line.
int SmallestFreeNumber(std::string_view line);

}  // namespace velumbrino
