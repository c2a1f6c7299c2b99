#pragma once
// Libraries of Windows are loaded from the system folder only. Searched for by bare name, a
// library is found in the program's own folder first, so a file of the same name dropped beside
// a copy run from Downloads or a shared folder would run inside the program.

#include <windows.h>

namespace velumbrino {

// First thing at start-up: every later load, ours or one Windows makes for us, searches only
// the system folder.
inline void LimitLibrarySearchToSystem() { SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32); }

inline HMODULE LoadSystemLibrary(const wchar_t* name) {
  return LoadLibraryExW(name, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
}

// The function `name` of the system library `library`, or nullptr when either is missing. The
// library stays loaded for the rest of the run; callers keep the result in a static.
template <typename Function>
Function SystemFunction(const wchar_t* library, const char* name) {
  HMODULE module = LoadSystemLibrary(library);
  return module ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)))
                : nullptr;
}

}  // namespace velumbrino
