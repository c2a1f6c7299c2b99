#include "platform/system_paths_win.h"

#include <shlobj.h>

#include "platform/wide_string_win.h"

namespace velumbrino {

std::string GetSpecialFolder(int csidl, HWND owner) {
  wchar_t path[MAX_PATH] = {};
  if (FAILED(SHGetFolderPathW(owner, csidl, nullptr, SHGFP_TYPE_CURRENT, path))) return {};
  std::wstring result(path);
  while (!result.empty() && (result.back() == L'\\' || result.back() == L'/')) result.pop_back();
  return Narrow(result);
}

std::string GetLoginName() {
  wchar_t name[257] = {};
  DWORD size = 257;
  if (!GetUserNameW(name, &size)) return {};
  return Narrow(name);
}

std::string AppFolder() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0) return {};
    if (length < path.size()) {
      path.resize(length);
      break;
    }
    path.resize(path.size() * 2);
  }
  const auto slash = path.find_last_of(L"\\/");
  path.resize(slash == std::wstring::npos ? 0 : slash + 1);
  if (path.empty() || path.back() != L'\\') path += L'\\';
  return Narrow(path);
}

}  // namespace velumbrino
