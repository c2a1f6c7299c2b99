#pragma once
// One INI (profile) file held in memory, with the profile-file rules: section and key names
// match without regard to ASCII case; spaces and tabs around names, around '=' and at the
// end of a value are not part of them; CR, LF and CR LF all end a line; a write touches only
// the line of its key (or appends the key/section) and keeps every other line byte for byte.
// Works on raw bytes (Windows-1252 in this program's files).

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace velumbrino {

class IniDocument {
 public:
  IniDocument() = default;
  explicit IniDocument(std::string_view bytes);

  // The value of the first matching key in the first matching section, untruncated;
  // nullopt when section or key is missing.
  std::optional<std::string> Get(std::string_view section, std::string_view key) const;

  // Writes "key=value". CR and LF in the value become spaces (a value can never inject a
  // line). Creates the section (appended at the end) and the key (after the section's last
  // key line) when missing.
  void Set(std::string_view section, std::string_view key, std::string_view value);
  // Removes the key's line; nothing happens when it is missing.
  void Delete(std::string_view section, std::string_view key);

  // The file's bytes: untouched lines exactly as read, new lines ended with CR LF.
  std::string Serialize() const;

 private:
  // The representation (lines, lookup tables) is the engine's own choice; restore reads
  // thousands of keys, so lookups must not scan the whole file.
  struct Impl;
  std::shared_ptr<Impl> impl_;
};

}  // namespace velumbrino
