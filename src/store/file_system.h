#pragma once
// The file operations the store needs. Paths are UTF-8; contents are raw bytes.
// The program uses the Win32 implementation; native tests use the standard-library one
// or fakes (a failing writer, a full disk).

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace velumbrino {

class FileSystem {
 public:
  virtual ~FileSystem() = default;

  // Whole file, or nothing when it is missing or unreadable.
  virtual std::optional<std::string> ReadFile(const std::string& path) = 0;
  // Temp file in the same folder, flushed, then moved over `path`. On failure the
  // previous file is left whole and false is returned.
  virtual bool WriteFileAtomic(const std::string& path, std::string_view bytes) = 0;
  // The same replacement without waiting for the disk: for records that need only outlive
  // the process, not the machine (the body-load marker, written before every body load).
  virtual bool WriteFileUnflushed(const std::string& path, std::string_view bytes) {
    return WriteFileAtomic(path, bytes);
  }
  virtual bool FileExists(const std::string& path) = 0;
  virtual bool DirectoryExists(const std::string& path) = 0;
  // Creates every missing level of the folder path.
  virtual bool CreateDirectories(const std::string& path) = 0;
  virtual bool RemoveFile(const std::string& path) = 0;
  // Changes whenever the file's content may have changed (size and write time mixed);
  // nullopt when the file is missing.
  virtual std::optional<std::uint64_t> Stamp(const std::string& path) = 0;
  // Names (not paths) of the files directly in `folder`, subfolders left out; nullopt when
  // the folder cannot be read or this file system cannot list folders.
  virtual std::optional<std::vector<std::string>> ListFiles(const std::string& /*folder*/) {
    return std::nullopt;
  }
  // Names of the subfolders directly in `folder`; nullopt as for ListFiles.
  virtual std::optional<std::vector<std::string>> ListFolders(const std::string& /*folder*/) {
    return std::nullopt;
  }
  // Renames a file or a folder in one step (so a half-made folder never appears under the
  // new name); never over an existing `to`.
  virtual bool Rename(const std::string& /*from*/, const std::string& /*to*/) { return false; }
  // Sends a file to the Recycle Bin; deletes it where the bin cannot take it.
  virtual bool RecycleFile(const std::string& path) { return RemoveFile(path); }
  // Removes an empty folder.
  virtual bool RemoveFolder(const std::string& /*path*/) { return false; }
};

// std::filesystem implementation (native builds and tools).
FileSystem& StdFileSystem();

}  // namespace velumbrino
