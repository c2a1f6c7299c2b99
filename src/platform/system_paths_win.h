#pragma once
// The user's folders, the login name and the program's own folder (all UTF-8).

#include <windows.h>

#include <string>

namespace velumbrino {

// A shell special folder (CSIDL value) without a trailing backslash; "" on failure.
std::string GetSpecialFolder(int csidl, HWND owner);
// The login name; "" when it cannot be obtained.
std::string GetLoginName();
// The folder of the running executable with exactly one trailing backslash.
std::string AppFolder();

}  // namespace velumbrino
