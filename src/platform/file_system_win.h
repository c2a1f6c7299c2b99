#pragma once
// The Win32 file system: wide-character paths, flushed temp files replaced with MoveFileExW.

#include "store/file_system.h"

namespace velumbrino {

FileSystem& WinFileSystem();

}  // namespace velumbrino
