#pragma once
// Fails as a real disk does: an atomic write is a temporary file written in pieces, flushed (or
// not) and renamed, and the process may die at any point; a power cut loses unflushed data;
// another process may hold a file unshared, or the disk be full, for a while.

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "store/file_system.h"

namespace velumbrino::sim {

// The process is gone: thrown from a write (or a body load) and caught by the driver.
struct ProcessDeath {
  bool power = false;    // the machine lost power too: unflushed data is lost
  int crashed_note = 0;  // a body load brought it down
};

class MemFiles final : public FileSystem {
 public:
  struct File {
    std::string bytes;
    std::optional<std::string> durable;  // what survives a power loss
    std::uint64_t version = 0;
  };
  std::map<std::string, File> files;
  std::set<std::string> folders;                     // without the trailing separator
  std::map<std::string, std::int64_t> locked_until;  // path -> second the lock ends
  std::int64_t disk_full_until = -1;
  std::int64_t now = 0;  // seconds, set by the driver
  // Dies at write `die_at` (of `writes`): 0 midway through the temp file, 1 before rename, 2 after.
  std::int64_t writes = 0, die_at = -1;
  int die_phase = 0;
  bool die_with_power = false;
  int write_failures = 0;  // writes, renames and removals that failed
  int read_failures = 0;   // reads of a locked file

  bool Locked(const std::string& path) const {
    auto it = locked_until.find(path);
    return it != locked_until.end() && it->second > now;
  }

  std::optional<std::string> ReadFile(const std::string& path) override {
    auto it = files.find(path);
    if (it == files.end()) return std::nullopt;
    if (Locked(path)) {
      ++read_failures;
      return std::nullopt;
    }
    return it->second.bytes;
  }
  bool WriteFileAtomic(const std::string& path, std::string_view bytes) override {
    return Write(path, bytes, true);
  }
  bool WriteFileUnflushed(const std::string& path, std::string_view bytes) override {
    return Write(path, bytes, false);
  }
  bool FileExists(const std::string& path) override { return files.count(path) > 0; }
  bool DirectoryExists(const std::string& path) override {
    return folders.count(Trimmed(path)) > 0;
  }
  bool CreateDirectories(const std::string& path) override {
    std::string folder = Trimmed(path);
    for (std::size_t i = 1; i <= folder.size(); ++i) {
      if (i == folder.size() || folder[i] == '/') folders.insert(folder.substr(0, i));
    }
    return true;
  }
  bool RemoveFile(const std::string& path) override {
    if (!files.count(path)) return false;
    if (Locked(path)) return Failed();
    ++writes;
    DieHere(0);
    DieHere(1);
    files.erase(path);
    DieHere(2);
    return true;
  }
  std::optional<std::uint64_t> Stamp(const std::string& path) override {
    auto it = files.find(path);
    if (it == files.end()) return std::nullopt;
    return it->second.version * 1000003u + it->second.bytes.size();
  }
  std::optional<std::vector<std::string>> ListFiles(const std::string& folder) override {
    return List(folder, false);
  }
  std::optional<std::vector<std::string>> ListFolders(const std::string& folder) override {
    return List(folder, true);
  }
  bool Rename(const std::string& from, const std::string& to) override {
    if (files.count(from)) {
      if (files.count(to) || folders.count(Trimmed(to))) return false;
      if (Locked(from)) return Failed();
      files[to] = std::move(files[from]);
      files.erase(from);
      return true;
    }
    const std::string a = Trimmed(from) + "/", b = Trimmed(to) + "/";
    if (!folders.count(Trimmed(from)) || folders.count(Trimmed(to))) return false;
    auto inside = [&](auto it) { return it != files.end() && it->first.starts_with(a); };
    for (auto it = files.lower_bound(a); inside(it); ++it) {
      if (Locked(it->first)) return Failed();  // a scanner inside it
    }
    std::map<std::string, File> moved;
    for (auto it = files.lower_bound(a); inside(it); it = files.erase(it)) {
      moved[b + it->first.substr(a.size())] = std::move(it->second);
    }
    files.merge(moved);
    folders.erase(Trimmed(from));
    folders.insert(Trimmed(to));
    return true;
  }
  bool RemoveFolder(const std::string& path) override {
    const std::string prefix = Trimmed(path) + "/";
    for (auto& [name, file] : files)
      if (name.starts_with(prefix)) return false;
    for (auto& name : folders)
      if (name.starts_with(prefix)) return false;
    return folders.erase(Trimmed(path)) > 0;
  }

  // What another program or the user does: no faults, no counting.
  void Put(const std::string& path, std::string bytes) {
    File& file = files[path];
    file.bytes = bytes;
    file.durable = std::move(bytes);
    ++file.version;
  }
  void LosePower() {
    for (auto it = files.begin(); it != files.end();) {
      if (!it->second.durable) {
        it = files.erase(it);
        continue;
      }
      it->second.bytes = *it->second.durable;
      ++it->second.version;
      ++it;
    }
  }
  void FlushAll() {
    for (auto& [path, file] : files) file.durable = file.bytes;
  }

 private:
  static std::string Trimmed(std::string path) {
    while (path.size() > 1 && path.back() == '/') path.pop_back();
    return path;
  }
  bool Failed() {
    ++write_failures;
    return false;
  }
  void DieHere(int phase) {
    if (writes != die_at || die_phase != phase) return;
    die_at = -1;
    throw ProcessDeath{die_with_power};
  }
  bool Write(const std::string& path, std::string_view bytes, bool flush) {
    ++writes;
    const std::size_t slash = path.rfind('/');
    if (!folders.count(path.substr(0, slash))) return Failed();
    const std::string temp = path + ".~" + std::to_string(writes) + ".tmp";
    // Written in pieces: a death midway leaves half a temporary file behind.
    files[temp] = File{std::string(bytes.substr(0, bytes.size() / 2)), std::nullopt, 1};
    auto fail = [&] {
      files.erase(temp);
      return Failed();
    };
    DieHere(0);
    if (disk_full_until > now) return fail();
    files[temp].bytes = std::string(bytes);
    if (flush) files[temp].durable = files[temp].bytes;
    DieHere(1);
    if (Locked(path)) return fail();  // longer than the two seconds the real rename waits
    File& target = files[path];
    target.bytes = std::string(bytes);
    if (flush) target.durable = target.bytes;
    ++target.version;
    files.erase(temp);
    DieHere(2);
    return true;
  }
  std::optional<std::vector<std::string>> List(const std::string& folder, bool want_folders) {
    const std::string prefix = Trimmed(folder) + "/";
    if (!folders.count(Trimmed(folder))) return std::nullopt;
    std::vector<std::string> names;
    auto add = [&](const std::string& path) {
      if (path.starts_with(prefix) && path.find('/', prefix.size()) == std::string::npos) {
        names.push_back(path.substr(prefix.size()));
      }
    };
    if (want_folders) {
      for (const auto& name : folders) add(name);
    } else {
      for (const auto& [name, file] : files) add(name);
    }
    return names;
  }
};

}  // namespace velumbrino::sim
