#pragma once
// The Win32 file system: wide-character paths, flushed temp files replaced with MoveFileExW.

#include <cstdint>
#include <optional>
#include <string>

#include "store/file_system.h"

namespace velumbrino {

FileSystem& WinFileSystem();

// The whole file; nothing when it is missing, unreadable or larger than max_bytes. `error`, when
// given, receives the system's error number of a failure (ERROR_FILE_TOO_LARGE for the size).
std::optional<std::string> ReadWholeFile(const std::wstring& path, std::uint64_t max_bytes,
                                         std::uint32_t* error = nullptr);

}  // namespace velumbrino
