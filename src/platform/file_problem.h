#pragma once
// Why a text file could not be loaded or saved, and the Portuguese message naming the file.

#include <cstdint>
#include <string>
#include <string_view>

#include "store/text_file_encoding.h"

namespace velumbrino {

enum class FileOperation { kLoad, kSave };

enum class FileProblem {
  kNotFound,        // the file is missing
  kFolderNotFound,  // its folder is gone (or the drive)
  kReadOnly,        // the file is marked read-only
  kAccessDenied,    // no right to it or to its folder
  kLocked,          // another program holds it
  kDiskFull,
  kInvalidName,  // a name or path the system does not accept
  kBinary,       // not a text file
  kTooLarge,
  kOther,
};

// The Win32 error number (GetLastError) as a problem; unknown numbers give kOther. A denied
// write to a file with the read-only attribute is the caller's to call kReadOnly.
FileProblem FileProblemFromSystemError(std::uint32_t error_code);
// kNone has no problem; it maps to kOther so that a caller never shows an empty reason.
FileProblem FileProblemFromRefusal(TextFileRefusal refusal);

// "Não foi possível carregar o arquivo “C:\x.txt”." and the reason, on two paragraphs.
std::string FileProblemMessage(FileOperation operation, FileProblem problem, std::string_view path);

}  // namespace velumbrino
