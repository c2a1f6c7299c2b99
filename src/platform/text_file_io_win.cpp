#include "platform/text_file_io_win.h"

#include <windows.h>

#include <utility>

#include "platform/file_system_win.h"
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
  std::uint32_t error = 0;
  if (auto bytes = ReadWholeFile(Widen(path), kMaxTextFileBytes, &error)) {
    return {std::move(*bytes), {}};
  }
  if (error == ERROR_FILE_TOO_LARGE) return {{}, FileProblem::kTooLarge};
  return {{}, FileProblemFromSystemError(error)};
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
