#include "platform/file_problem.h"

#include "store/text_utils.h"
#include "ui_strings.h"

namespace velumbrino {

FileProblem FileProblemFromSystemError(std::uint32_t error_code) {
  switch (error_code) {
    case 2:  // ERROR_FILE_NOT_FOUND
      return FileProblem::kNotFound;
    case 3:   // ERROR_PATH_NOT_FOUND
    case 15:  // ERROR_INVALID_DRIVE
    case 21:  // ERROR_NOT_READY
    case 53:  // ERROR_BAD_NETPATH
    case 67:  // ERROR_BAD_NET_NAME
      return FileProblem::kFolderNotFound;
    case 19:  // ERROR_WRITE_PROTECT
      return FileProblem::kReadOnly;
    case 5:  // ERROR_ACCESS_DENIED
      return FileProblem::kAccessDenied;
    case 32:  // ERROR_SHARING_VIOLATION
    case 33:  // ERROR_LOCK_VIOLATION
      return FileProblem::kLocked;
    case 39:   // ERROR_HANDLE_DISK_FULL
    case 112:  // ERROR_DISK_FULL
      return FileProblem::kDiskFull;
    case 123:  // ERROR_INVALID_NAME
    case 161:  // ERROR_BAD_PATHNAME
    case 206:  // ERROR_FILENAME_EXCED_RANGE
      return FileProblem::kInvalidName;
    default:
      return FileProblem::kOther;
  }
}

FileProblem FileProblemFromRefusal(TextFileRefusal refusal) {
  switch (refusal) {
    case TextFileRefusal::kBinary:
      return FileProblem::kBinary;
    case TextFileRefusal::kTooLarge:
      return FileProblem::kTooLarge;
    case TextFileRefusal::kNone:
      break;
  }
  return FileProblem::kOther;
}

std::string FileProblemMessage(FileOperation operation, FileProblem problem,
                               std::string_view path) {
  const char* reason = TXT_FILE_REASON_OTHER;
  switch (problem) {
    case FileProblem::kNotFound:
      reason = TXT_FILE_REASON_NOT_FOUND;
      break;
    case FileProblem::kFolderNotFound:
      reason = TXT_FILE_REASON_FOLDER_NOT_FOUND;
      break;
    case FileProblem::kReadOnly:
      reason = TXT_FILE_REASON_READ_ONLY;
      break;
    case FileProblem::kAccessDenied:
      reason = operation == FileOperation::kLoad ? TXT_FILE_REASON_NO_READ_ACCESS
                                                 : TXT_FILE_REASON_NO_WRITE_ACCESS;
      break;
    case FileProblem::kLocked:
      reason = TXT_FILE_REASON_LOCKED;
      break;
    case FileProblem::kDiskFull:
      reason = TXT_FILE_REASON_DISK_FULL;
      break;
    case FileProblem::kInvalidName:
      reason = TXT_FILE_REASON_INVALID_NAME;
      break;
    case FileProblem::kBinary:
      reason = TXT_FILE_REASON_BINARY;
      break;
    case FileProblem::kTooLarge:
      reason = TXT_FILE_REASON_TOO_LARGE;
      break;
    case FileProblem::kOther:
      break;
  }
  const char* lead =
      operation == FileOperation::kLoad ? TXT_FILE_CANNOT_LOAD : TXT_FILE_CANNOT_SAVE;
  return FormatText(lead, path) + "\n\n" + reason;
}

}  // namespace velumbrino
