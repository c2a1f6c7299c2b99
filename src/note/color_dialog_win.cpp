#include "note/color_dialog_win.h"

#include <commdlg.h>

#include <cwchar>

#include "platform/unique_handle.h"

namespace velumbrino {

namespace {

constexpr COLORREF kWhite = 0x00FFFFFF;
constexpr wchar_t kValueName[] = L"RegColors";

}  // namespace

std::wstring FormatCustomColors(const CustomColors& colors) {
  std::wstring text;
  for (COLORREF color : colors) {
    if (!text.empty()) text += L',';
    text += std::to_wstring(color);
  }
  return text;
}

CustomColors ParseCustomColors(std::wstring_view text) {
  CustomColors colors;
  colors.fill(kWhite);
  size_t index = 0;
  size_t start = 0;
  while (index < colors.size() && start <= text.size()) {
    size_t end = text.find(L',', start);
    if (end == std::wstring_view::npos) end = text.size();
    std::wstring_view part = text.substr(start, end - start);
    while (!part.empty() && part.front() == L' ') part.remove_prefix(1);
    while (!part.empty() && part.back() == L' ') part.remove_suffix(1);
    unsigned long long value = 0;
    bool valid = !part.empty() && part.size() <= 10;
    for (wchar_t c : part) {
      if (c < L'0' || c > L'9') {
        valid = false;
        break;
      }
      value = value * 10 + static_cast<unsigned>(c - L'0');
    }
    if (valid && value <= kWhite) colors[index] = static_cast<COLORREF>(value);
    ++index;
    start = end + 1;
  }
  return colors;
}

CustomColors LoadCustomColors(const wchar_t* key_path) {
  HKEY raw_key = nullptr;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, key_path, 0, KEY_QUERY_VALUE, &raw_key) != ERROR_SUCCESS) {
    return ParseCustomColors(L"");
  }
  unique_hkey key(raw_key);
  wchar_t buffer[512] = {};
  DWORD type = 0;
  DWORD size = sizeof(buffer) - sizeof(wchar_t);  // room for a NUL the value may lack
  if (RegQueryValueExW(key.get(), kValueName, nullptr, &type, reinterpret_cast<BYTE*>(buffer),
                       &size) != ERROR_SUCCESS ||
      type != REG_SZ) {
    return ParseCustomColors(L"");
  }
  buffer[size / sizeof(wchar_t)] = L'\0';
  return ParseCustomColors(buffer);
}

bool SaveCustomColors(const CustomColors& colors, const wchar_t* key_path) {
  HKEY raw_key = nullptr;
  if (RegCreateKeyExW(HKEY_CURRENT_USER, key_path, 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                      &raw_key, nullptr) != ERROR_SUCCESS) {
    return false;
  }
  unique_hkey key(raw_key);
  const std::wstring text = FormatCustomColors(colors);
  return RegSetValueExW(key.get(), kValueName, 0, REG_SZ,
                        reinterpret_cast<const BYTE*>(text.c_str()),
                        static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
}

long ShowColorDialog(HWND owner, COLORREF initial, bool full_open) {
  CustomColors custom = LoadCustomColors();
  CHOOSECOLORW choose{};
  choose.lStructSize = sizeof(choose);
  choose.hwndOwner = owner;
  choose.rgbResult = initial;
  choose.lpCustColors = custom.data();
  choose.Flags = CC_RGBINIT | CC_ANYCOLOR | (full_open ? CC_FULLOPEN : 0);
  const bool chosen = ChooseColorW(&choose) != FALSE;
  SaveCustomColors(custom);
  return chosen ? static_cast<long>(choose.rgbResult & 0x00FFFFFF) : -1;
}

}  // namespace velumbrino
