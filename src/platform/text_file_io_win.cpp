#include "platform/text_file_io_win.h"

#include <windows.h>

#include <algorithm>

#include "platform/file_system_win.h"
#include "platform/unique_handle.h"
#include "platform/wide_string_win.h"
#include "store/text_file_encoding.h"

namespace velumbrino {

namespace {

FileProblem ProblemOf(DWORD error, const std::wstring& path) {
  // Denied writing over a file marked read-only: say so rather than "no permission".
  if (error == ERROR_ACCESS_DENIED) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) {
      return FileProblem::kReadOnly;
    }
  }
  return FileProblemFromSystemError(error);
}

}  // namespace

TextFileBytes ReadTextFileBytes(const std::string& path) {
  const std::wstring wide = Widen(path);
  unique_file file(CreateFileW(wide.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                               nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return {{}, FileProblemFromSystemError(GetLastError())};
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(file.get(), &size)) return {{}, FileProblemFromSystemError(GetLastError())};
  if (!TextFileSizeAllowed(static_cast<std::uint64_t>(size.QuadPart))) {
    return {{}, FileProblem::kTooLarge};
  }
  TextFileBytes result;
  result.bytes.resize(static_cast<size_t>(size.QuadPart));
  size_t done = 0;
  while (done < result.bytes.size()) {
    const DWORD wanted = static_cast<DWORD>(std::min<size_t>(result.bytes.size() - done, 1u << 24));
    DWORD got = 0;
    if (!ReadFile(file.get(), result.bytes.data() + done, wanted, &got, nullptr)) {
      return {{}, FileProblemFromSystemError(GetLastError())};
    }
    if (got == 0) break;  // shorter than it was a moment ago
    done += got;
  }
  result.bytes.resize(done);
  return result;
}

std::optional<FileProblem> WriteTextFileBytes(const std::string& path, std::string_view bytes) {
  // Replacing the file by a move would go round its read-only mark on some systems; the mark
  // is the user's wish that it stay as it is.
  const DWORD attributes = GetFileAttributesW(Widen(path).c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) {
    return FileProblem::kReadOnly;
  }
  SetLastError(ERROR_SUCCESS);
  if (WinFileSystem().WriteFileAtomic(path, bytes)) return std::nullopt;
  const DWORD error = GetLastError();
  return ProblemOf(error == ERROR_SUCCESS ? ERROR_GEN_FAILURE : error, Widen(path));
}

}  // namespace velumbrino
