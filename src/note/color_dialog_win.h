#pragma once
// The colour dialog, with 16 custom colours kept per user between runs.

#include <windows.h>

#include <array>
#include <string>
#include <string_view>

namespace velumbrino {

using CustomColors = std::array<COLORREF, 16>;

// Under HKEY_CURRENT_USER; the colours are the value "RegColors" there.
constexpr wchar_t kCustomColorsKey[] = L"Software\\Ovrask\\Velumbrino\\cDialog";

// "c1,c2,...,c16" in decimal, no spaces.
std::wstring FormatCustomColors(const CustomColors& colors);
// The reverse; missing or unreadable entries (and values above 0xFFFFFF) are white.
CustomColors ParseCustomColors(std::wstring_view text);

// All white when nothing is stored yet.
CustomColors LoadCustomColors(const wchar_t* key_path = kCustomColorsKey);
bool SaveCustomColors(const CustomColors& colors, const wchar_t* key_path = kCustomColorsKey);

// Shows the colour dialog starting at `initial`, opened in full when `full_open`. Returns the
// chosen colour (0x00BBGGRR), or -1 when cancelled. The custom colours are stored again in both
// cases, so colours the user defined survive a cancel.
long ShowColorDialog(HWND owner, COLORREF initial, bool full_open);

}  // namespace velumbrino
