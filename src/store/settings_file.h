#pragma once
// config.cfg: reads with a caller's default, key writes, key deletes and batches, each write
// one atomic replacement of the file. Text is UTF-8 here and Windows-1252 on disk.

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "store/file_system.h"

namespace velumbrino {

struct IniEdit {
  std::string section;
  std::string key;
  std::optional<std::string> value;  // nullopt deletes the key
};

class SettingsFile {
 public:
  SettingsFile(FileSystem& files, std::string path);

  // At most 254 characters come back; a missing or empty value gives the default.
  std::string ReadIniValue(std::string_view section, std::string_view key,
                           std::string_view default_value) const;

  // Each returns false when the file could not be written; the old file then stays whole.
  bool WriteKey(std::string_view section, std::string_view key, std::string_view value);
  bool DeleteKey(std::string_view section, std::string_view key);
  bool Apply(const std::vector<IniEdit>& edits);

  const std::string& Path() const { return path_; }

  // While one lives, reads take the file as first read instead of asking the file system
  // whether it changed: restore reads thousands of keys in a row, and that question costs
  // more than the read itself. The program's own writes still show at once.
  class Snapshot {
   public:
    explicit Snapshot(const SettingsFile& file) : file_(file) { ++file_.snapshots_; }
    Snapshot(const Snapshot&) = delete;
    Snapshot& operator=(const Snapshot&) = delete;
    ~Snapshot() { --file_.snapshots_; }

   private:
    const SettingsFile& file_;
  };

 private:
  FileSystem& files_;
  std::string path_;
  // Parsed file, re-read only when the file's stamp changes (hand edits between reads).
  struct Cache;
  mutable std::shared_ptr<Cache> cache_;
  mutable int snapshots_ = 0;
};

}  // namespace velumbrino
