#pragma once
// Shared pieces of the fault tests: a file system whose writes fail like a full disk, and a
// data folder of a few notes with their body files.

#include <string>
#include <string_view>

#include "store/file_system.h"
#include "temp_folder.h"

namespace velumbrino::testing {

// The standard file system, except that writes fail once `writes_left` reaches zero (a disk
// that fills up). A failing write first leaves `partial_bytes` of the data in a temp file, as
// a disk that ran out of space midway would, and removes it again.
class FullDiskFileSystem : public FileSystem {
 public:
  int writes_left = 0;  // negative: never fails
  std::size_t partial_bytes = 0;
  int failed_writes = 0;

  std::optional<std::string> ReadFile(const std::string& path) override {
    return base_.ReadFile(path);
  }
  bool WriteFileAtomic(const std::string& path, std::string_view bytes) override {
    if (writes_left != 0) {
      if (writes_left > 0) --writes_left;
      return base_.WriteFileAtomic(path, bytes);
    }
    ++failed_writes;
    const std::string temp = path + ".~full.tmp";
    if (partial_bytes > 0) {
      base_.WriteFileAtomic(temp, bytes.substr(0, std::min(partial_bytes, bytes.size())));
      base_.RemoveFile(temp);
    }
    return false;
  }
  bool FileExists(const std::string& path) override { return base_.FileExists(path); }
  bool DirectoryExists(const std::string& path) override { return base_.DirectoryExists(path); }
  bool CreateDirectories(const std::string& path) override {
    return base_.CreateDirectories(path);
  }
  bool RemoveFile(const std::string& path) override { return base_.RemoveFile(path); }
  std::optional<std::uint64_t> Stamp(const std::string& path) override {
    return base_.Stamp(path);
  }
  std::optional<std::vector<std::string>> ListFiles(const std::string& folder) override {
    return base_.ListFiles(folder);
  }
  std::optional<std::vector<std::string>> ListFolders(const std::string& folder) override {
    return base_.ListFolders(folder);
  }
  bool Rename(const std::string& from, const std::string& to) override {
    return base_.Rename(from, to);
  }
  bool RemoveFolder(const std::string& path) override { return base_.RemoveFolder(path); }

 private:
  FileSystem& base_ = StdFileSystem();
};

inline std::string BodyOf(int number) {
  return "{\\rtf1\\ansi corpo da nota " + std::to_string(number) + "\\par}\r\n";
}

// Body files stickie<n>.vmb for 1..count.
inline void WriteBodies(const TempFolder& dir, int count) {
  for (int n = 1; n <= count; ++n) dir.Write("stickie" + std::to_string(n) + ".vmb", BodyOf(n));
}

}  // namespace velumbrino::testing
