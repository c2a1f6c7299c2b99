// FileSystem on the standard library, for native builds, tests and tools.
#include <atomic>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>

#include "store/file_system.h"

#if defined(__unix__) || defined(__APPLE__)
#include <fcntl.h>
#include <unistd.h>
#endif

namespace velumbrino {

namespace {

namespace fs = std::filesystem;

fs::path ToPath(const std::string& utf8) {
  return fs::path(std::u8string(utf8.begin(), utf8.end()));
}

std::uint64_t Mix(std::uint64_t a, std::uint64_t b) {
  // splitmix64 finaliser over the pair, so size and time both move the stamp.
  std::uint64_t x = a ^ (b + 0x9E3779B97F4A7C15ULL + (a << 6) + (a >> 2));
  x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ULL;
  x = (x ^ (x >> 27)) * 0x94D049BB133111EBULL;
  return x ^ (x >> 31);
}

class StdFiles final : public FileSystem {
 public:
  std::optional<std::string> ReadFile(const std::string& path) override {
    std::error_code error;
    if (!fs::is_regular_file(ToPath(path), error)) return std::nullopt;
    std::ifstream file(ToPath(path), std::ios::binary);
    if (!file) return std::nullopt;
    std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    if (file.bad()) return std::nullopt;
    return bytes;
  }

  bool WriteFileAtomic(const std::string& path, std::string_view bytes) override {
    static std::atomic<unsigned> counter{0};
    const fs::path target = ToPath(path);
    const fs::path temp = ToPath(path + ".~" + std::to_string(++counter) + ".tmp");
    bool written = false;
    {
      std::ofstream file(temp, std::ios::binary | std::ios::trunc);
      if (!file) return false;
      file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
      file.flush();
      written = static_cast<bool>(file);
    }
    written = written && SyncToDisk(temp);
    std::error_code error;
    if (written && !fs::is_directory(target, error)) {
      fs::rename(temp, target, error);
      if (!error) return true;
    }
    fs::remove(temp, error);
    return false;
  }

  bool FileExists(const std::string& path) override {
    std::error_code error;
    return fs::is_regular_file(ToPath(path), error);
  }

  bool DirectoryExists(const std::string& path) override {
    std::error_code error;
    return !path.empty() && fs::is_directory(ToPath(path), error);
  }

  bool CreateDirectories(const std::string& path) override {
    if (path.empty()) return false;
    fs::path folder = ToPath(path);
    // A trailing separator would leave an empty last level.
    while (folder.has_relative_path() && !folder.has_filename()) folder = folder.parent_path();
    std::error_code error;
    fs::create_directories(folder, error);
    return fs::is_directory(folder, error);
  }

  bool RemoveFile(const std::string& path) override {
    std::error_code error;
    return fs::is_regular_file(ToPath(path), error) && fs::remove(ToPath(path), error);
  }

  std::optional<std::uint64_t> Stamp(const std::string& path) override {
    std::error_code error;
    const fs::path file = ToPath(path);
    if (!fs::is_regular_file(file, error)) return std::nullopt;
    const std::uintmax_t size = fs::file_size(file, error);
    if (error) return std::nullopt;
    const auto time = fs::last_write_time(file, error);
    if (error) return std::nullopt;
    return Mix(static_cast<std::uint64_t>(size),
               static_cast<std::uint64_t>(time.time_since_epoch().count()));
  }

  std::optional<std::vector<std::string>> ListFiles(const std::string& folder) override {
    return List(folder, /*folders=*/false);
  }

  std::optional<std::vector<std::string>> ListFolders(const std::string& folder) override {
    return List(folder, /*folders=*/true);
  }

  bool Rename(const std::string& from, const std::string& to) override {
    std::error_code error;
    // rename() replaces an existing file here; Rename never does.
    if (fs::exists(ToPath(to), error) || error) return false;
    fs::rename(ToPath(from), ToPath(to), error);
    return !error;
  }

  bool RemoveFolder(const std::string& path) override {
    std::error_code error;
    return fs::is_directory(ToPath(path), error) && fs::remove(ToPath(path), error) && !error;
  }

 private:
  static std::optional<std::vector<std::string>> List(const std::string& folder, bool folders) {
    std::error_code error;
    fs::directory_iterator entries(ToPath(folder), error);
    if (error) return std::nullopt;
    std::vector<std::string> names;
    for (const fs::directory_entry& entry : entries) {
      std::error_code ignored;
      if (folders ? !entry.is_directory(ignored) : !entry.is_regular_file(ignored)) continue;
      const std::u8string name = entry.path().filename().u8string();
      names.emplace_back(name.begin(), name.end());
    }
    return names;
  }

  // The data must be on disk before the rename makes it the file.
  static bool SyncToDisk(const fs::path& file) {
#if defined(__unix__) || defined(__APPLE__)
    const int descriptor = ::open(file.c_str(), O_RDONLY);
    if (descriptor < 0) return false;
    const bool synced = ::fsync(descriptor) == 0;
    ::close(descriptor);
    return synced;
#else
    return true;
#endif
  }
};

}  // namespace

FileSystem& StdFileSystem() {
  static StdFiles files;
  return files;
}

}  // namespace velumbrino
