// TEMPORARY stand-in so the body control links on this branch; the real implementation
// lives on another branch and replaces this file at merge.
#include "platform/file_system_win.h"

#include <windows.h>

#include "platform/unique_handle.h"
#include "platform/wide_string_win.h"

namespace velumbrino {

namespace {

class TemporaryWinFileSystem final : public FileSystem {
 public:
  std::optional<std::string> ReadFile(const std::string&) override { return std::nullopt; }
  bool WriteFileAtomic(const std::string& path, std::string_view bytes) override {
    const std::wstring target = Widen(path);
    const std::wstring temp = target + L".tmp";
    {
      unique_file file(CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                   FILE_ATTRIBUTE_NORMAL, nullptr));
      if (!file) return false;
      DWORD written = 0;
      if (!WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written,
                     nullptr) ||
          written != bytes.size() || !FlushFileBuffers(file.get())) {
        file.reset();
        DeleteFileW(temp.c_str());
        return false;
      }
    }
    if (!MoveFileExW(temp.c_str(), target.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
      DeleteFileW(temp.c_str());
      return false;
    }
    return true;
  }
  bool FileExists(const std::string&) override { return false; }
  bool DirectoryExists(const std::string&) override { return false; }
  bool CreateDirectories(const std::string&) override { return false; }
  bool RemoveFile(const std::string&) override { return false; }
  std::optional<std::uint64_t> Stamp(const std::string&) override { return std::nullopt; }
};

}  // namespace

FileSystem& WinFileSystem() {
  static TemporaryWinFileSystem files;
  return files;
}

}  // namespace velumbrino
