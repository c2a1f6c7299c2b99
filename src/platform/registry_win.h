#pragma once
// Registry text values. Reads return the default when the key or value is missing.

#include <windows.h>

#include <string>
#include <string_view>

#include "store/default_font.h"

namespace velumbrino {

inline constexpr const wchar_t* kPreferencesKey = L"Software\\Ovrask\\Velumbrino";

std::string GetRegistryValue(HKEY root, const std::wstring& key_path, std::string_view name,
                             std::string_view default_value);
// REG_SZ in Windows-1252, stored without the terminating NUL; creates missing keys.
bool SetRegistryValue(HKEY root, const std::wstring& key_path, std::string_view name,
                      std::string_view value);

// The program's preferences: read from HKEY_CURRENT_USER, then HKEY_LOCAL_MACHINE (older
// installations kept them there); written to HKEY_CURRENT_USER, which an ordinary user may
// write.
class RegistryPreferences : public PreferenceStore {
 public:
  explicit RegistryPreferences(std::wstring key_path = kPreferencesKey);
  std::string Get(std::string_view name, std::string_view default_value) const override;
  bool Set(std::string_view name, std::string_view value) override;

 private:
  std::wstring key_path_;
};

}  // namespace velumbrino
