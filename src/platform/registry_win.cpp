#include "platform/registry_win.h"

#include <optional>
#include <vector>

#include "platform/unique_handle.h"
#include "store/cp1252.h"

namespace velumbrino {

namespace {

std::optional<std::string> QueryText(HKEY root, const std::wstring& key_path,
                                     std::string_view name) {
  HKEY raw = nullptr;
  if (RegOpenKeyExW(root, key_path.c_str(), 0, KEY_QUERY_VALUE, &raw) != ERROR_SUCCESS) {
    return std::nullopt;
  }
  unique_hkey key(raw);
  const std::string ansi_name = Utf8ToCp1252(name);
  DWORD type = 0;
  DWORD size = 0;
  if (RegQueryValueExA(key.get(), ansi_name.c_str(), nullptr, &type, nullptr, &size) !=
      ERROR_SUCCESS) {
    return std::nullopt;
  }
  std::vector<char> buffer(size + 1, '\0');
  if (RegQueryValueExA(key.get(), ansi_name.c_str(), nullptr, &type,
                       reinterpret_cast<BYTE*>(buffer.data()), &size) != ERROR_SUCCESS) {
    return std::nullopt;
  }
  // Values stored without their NUL (as the program writes them) end at the data size.
  std::string bytes(buffer.data(), size);
  if (const auto nul = bytes.find('\0'); nul != std::string::npos) bytes.resize(nul);
  return Cp1252ToUtf8(bytes);
}

}  // namespace

std::string GetRegistryValue(HKEY root, const std::wstring& key_path, std::string_view name,
                             std::string_view default_value) {
  return QueryText(root, key_path, name).value_or(std::string(default_value));
}

bool SetRegistryValue(HKEY root, const std::wstring& key_path, std::string_view name,
                      std::string_view value) {
  HKEY raw = nullptr;
  if (RegCreateKeyExW(root, key_path.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &raw,
                      nullptr) != ERROR_SUCCESS) {
    return false;
  }
  unique_hkey key(raw);
  const std::string ansi_name = Utf8ToCp1252(name);
  const std::string ansi_value = Utf8ToCp1252(value);
  return RegSetValueExA(key.get(), ansi_name.c_str(), 0, REG_SZ,
                        reinterpret_cast<const BYTE*>(ansi_value.data()),
                        static_cast<DWORD>(ansi_value.size())) == ERROR_SUCCESS;
}

RegistryPreferences::RegistryPreferences(std::wstring key_path) : key_path_(std::move(key_path)) {}

std::string RegistryPreferences::Get(std::string_view name, std::string_view default_value) const {
  if (auto value = QueryText(HKEY_CURRENT_USER, key_path_, name)) return *value;
  return GetRegistryValue(HKEY_LOCAL_MACHINE, key_path_, name, default_value);
}

bool RegistryPreferences::Set(std::string_view name, std::string_view value) {
  return SetRegistryValue(HKEY_CURRENT_USER, key_path_, name, value);
}

}  // namespace velumbrino
