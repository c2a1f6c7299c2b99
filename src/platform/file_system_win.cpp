#include "platform/file_system_win.h"

#include <windows.h>

#include <shellapi.h>

#include <string>
#include <vector>

#include "platform/unique_handle.h"
#include "platform/wide_string_win.h"

namespace velumbrino {

namespace {

bool IsSeparator(wchar_t c) { return c == L'\\' || c == L'/'; }

// Where the folders a path names begin: after "C:\", "\\server\share\" or a leading "\".
std::size_t FirstFolderStart(const std::wstring& path) {
  if (path.size() >= 2 && IsSeparator(path[0]) && IsSeparator(path[1])) {
    std::size_t i = 2;
    for (int part = 0; part < 2 && i < path.size(); ++part) {  // server, then share
      while (i < path.size() && !IsSeparator(path[i])) ++i;
      if (i < path.size()) ++i;
    }
    return i;
  }
  if (path.size() >= 2 && path[1] == L':') return path.size() >= 3 && IsSeparator(path[2]) ? 3 : 2;
  return !path.empty() && IsSeparator(path[0]) ? 1 : 0;
}

// A cloud client that keeps Documents in sync opens each changed file for a moment: a replace
// or delete that meets such a lock is tried again for up to two seconds before it fails. A
// lock shows as a sharing violation, or as access denied on a file that is neither read-only
// nor a folder (Wine reports it so). For a folder being renamed, access denied is a lock too:
// an indexer or a scanner looking inside it.
bool MayBeLocked(DWORD error, const std::wstring& target, bool folder) {
  if (error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION) return true;
  if (error != ERROR_ACCESS_DENIED) return false;
  const DWORD attributes = GetFileAttributesW(target.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return false;
  if (folder) return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
  return !(attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY));
}

template <typename Attempt>
bool RetryWhileLocked(const std::wstring& target, Attempt attempt, bool folder = false) {
  const ULONGLONG start = GetTickCount64();
  for (;;) {
    if (attempt()) return true;
    const DWORD error = GetLastError();
    if (!MayBeLocked(error, target, folder) || GetTickCount64() - start >= 2000) {
      SetLastError(error);
      return false;
    }
    Sleep(50);
  }
}

}  // namespace

std::optional<std::string> ReadWholeFile(const std::wstring& path, std::uint64_t max_bytes,
                                         std::uint32_t* error) {
  const auto failed = [error](DWORD code) -> std::optional<std::string> {
    if (error) *error = code;
    return std::nullopt;
  };
  unique_file file;
  // Held without sharing for a moment (a sync client, a scanner at log-on): waited out as
  // for writes, so a body is not taken for unreadable because of a passing lock.
  RetryWhileLocked(path, [&] {
    file.reset(CreateFileW(path.c_str(), GENERIC_READ,
                           FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                           OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    return static_cast<bool>(file);
  });
  if (!file) return failed(GetLastError());
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(file.get(), &size)) return failed(GetLastError());
  if (size.QuadPart < 0 || static_cast<std::uint64_t>(size.QuadPart) > max_bytes) {
    return failed(ERROR_FILE_TOO_LARGE);
  }
  std::string bytes;
  bytes.resize(static_cast<std::size_t>(size.QuadPart));
  std::size_t done = 0;
  while (done < bytes.size()) {
    const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1u << 30));
    DWORD read = 0;
    if (!::ReadFile(file.get(), bytes.data() + done, chunk, &read, nullptr)) {
      return failed(GetLastError());
    }
    if (read == 0) break;  // the file shrank while being read
    done += read;
  }
  bytes.resize(done);
  return bytes;
}

namespace {

class WinFiles final : public FileSystem {
 public:
  std::optional<std::string> ReadFile(const std::string& path) override {
    return ReadWholeFile(Widen(path), UINT64_MAX);
  }

  bool WriteFileAtomic(const std::string& path, std::string_view bytes) override {
    return Replace(path, bytes, true);
  }

  bool WriteFileUnflushed(const std::string& path, std::string_view bytes) override {
    return Replace(path, bytes, false);
  }

  bool Replace(const std::string& path, std::string_view bytes, bool flush) {
    const std::wstring target = Widen(path);
    const std::wstring temp = target + L".~" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                              std::to_wstring(++counter_) + L".tmp";
    {
      unique_file file(CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                   FILE_ATTRIBUTE_NORMAL, nullptr));
      if (!file) return false;
      bool written = true;
      std::size_t done = 0;
      while (written && done < bytes.size()) {
        const DWORD chunk =
            static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1u << 30));
        DWORD count = 0;
        written =
            ::WriteFile(file.get(), bytes.data() + done, chunk, &count, nullptr) && count == chunk;
        done += count;
      }
      // The data must reach the disk before the move makes it the file.
      written = written && (!flush || FlushFileBuffers(file.get()));
      if (!written) {
        const DWORD error = GetLastError();
        file.reset();
        DeleteFileW(temp.c_str());
        SetLastError(error);  // the caller tells the user why
        return false;
      }
    }
    if (RetryWhileLocked(target, [&] {
          return MoveFileExW(temp.c_str(), target.c_str(),
                             MOVEFILE_REPLACE_EXISTING |
                                 (flush ? MOVEFILE_WRITE_THROUGH : 0)) != 0;
        })) {
      return true;
    }
    const DWORD error = GetLastError();
    DeleteFileW(temp.c_str());
    SetLastError(error);  // the caller may tell the user why
    return false;
  }

  bool FileExists(const std::string& path) override {
    const DWORD attributes = GetFileAttributesW(Widen(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
  }

  bool DirectoryExists(const std::string& path) override {
    if (path.empty()) return false;
    const DWORD attributes = GetFileAttributesW(Widen(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
  }

  bool CreateDirectories(const std::string& path) override {
    std::wstring folder = Widen(path);
    const std::size_t start = FirstFolderStart(folder);
    while (folder.size() > start && IsSeparator(folder.back())) folder.pop_back();
    if (folder.size() <= start) return DirectoryExists(path);
    // Each level in turn; one that is already there is no failure.
    for (std::size_t i = start; i <= folder.size(); ++i) {
      if (i < folder.size() && !IsSeparator(folder[i])) continue;
      const std::wstring level = folder.substr(0, i);
      if (level.size() <= start) continue;
      if (!CreateDirectoryW(level.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS) {
        const DWORD attributes = GetFileAttributesW(level.c_str());
        if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
          return false;
        }
      }
    }
    const DWORD attributes = GetFileAttributesW(folder.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
  }

  bool RemoveFile(const std::string& path) override {
    const std::wstring wide = Widen(path);
    return RetryWhileLocked(wide, [&] { return DeleteFileW(wide.c_str()) != 0; });
  }

  std::optional<std::uint64_t> Stamp(const std::string& path) override {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExW(Widen(path).c_str(), GetFileExInfoStandard, &data)) {
      return std::nullopt;
    }
    if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return std::nullopt;
    const std::uint64_t size =
        (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    const std::uint64_t time =
        (static_cast<std::uint64_t>(data.ftLastWriteTime.dwHighDateTime) << 32) |
        data.ftLastWriteTime.dwLowDateTime;
    std::uint64_t x = time ^ (size * 0x9E3779B97F4A7C15ULL);
    x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ULL;
    x = (x ^ (x >> 27)) * 0x94D049BB133111EBULL;
    return x ^ (x >> 31);
  }

  std::optional<std::vector<std::string>> ListFiles(const std::string& folder) override {
    return List(folder, /*folders=*/false);
  }

  std::optional<std::vector<std::string>> ListFolders(const std::string& folder) override {
    return List(folder, /*folders=*/true);
  }

  bool RecycleFile(const std::string& path) override {
    // The shell wants a full path in a list ended by two NULs (the string's own and this one).
    const std::wstring wide = Widen(path);
    std::wstring from(GetFullPathNameW(wide.c_str(), 0, nullptr, nullptr), L'\0');
    const DWORD length =
        GetFullPathNameW(wide.c_str(), static_cast<DWORD>(from.size()), from.data(), nullptr);
    if (length == 0 || length >= from.size()) return RemoveFile(path);
    from.resize(length);
    from.push_back(L'\0');
    SHFILEOPSTRUCTW operation{};
    operation.wFunc = FO_DELETE;
    operation.pFrom = from.c_str();
    operation.fFlags = FOF_ALLOWUNDO | FOF_NOCONFIRMATION | FOF_SILENT | FOF_NOERRORUI;
    if (SHFileOperationW(&operation) == 0 && !operation.fAnyOperationsAborted &&
        !FileExists(path)) {
      return true;
    }
    // Where the bin cannot take the file (a folder it does not cover, the bin turned off).
    return RemoveFile(path) || !FileExists(path);
  }

  bool Rename(const std::string& from, const std::string& to) override {
    const std::wstring source = Widen(from), target = Widen(to);
    return RetryWhileLocked(
        source, [&] { return MoveFileExW(source.c_str(), target.c_str(), 0) != 0; },
        /*folder=*/true);
  }

  bool RemoveFolder(const std::string& path) override {
    return RemoveDirectoryW(Widen(path).c_str()) != 0;
  }

 private:
  static std::optional<std::vector<std::string>> List(const std::string& folder, bool folders) {
    std::wstring pattern = Widen(folder);
    if (!pattern.empty() && !IsSeparator(pattern.back())) pattern += L'\\';
    pattern += L'*';
    WIN32_FIND_DATAW found{};
    const HANDLE search = FindFirstFileW(pattern.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) {
      // An empty folder still has "." and "..", so this is a missing or unreadable one.
      return std::nullopt;
    }
    std::vector<std::string> names;
    do {
      const std::wstring name = found.cFileName;
      const bool folder_entry = (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
      if (folder_entry == folders && name != L"." && name != L"..") {
        names.push_back(Narrow(name));
      }
    } while (FindNextFileW(search, &found));
    const bool complete = GetLastError() == ERROR_NO_MORE_FILES;
    FindClose(search);
    if (!complete) return std::nullopt;
    return names;
  }

  unsigned counter_ = 0;
};

}  // namespace

FileSystem& WinFileSystem() {
  static WinFiles files;
  return files;
}

}  // namespace velumbrino
