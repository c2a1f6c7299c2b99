#pragma once
// The 16 custom colours of the colour dialog, kept per user between runs as the text
// "c1,c2,...,c16" (decimal, no spaces).

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace velumbrino {

using CustomColors = std::array<std::uint32_t, 16>;  // 0x00BBGGRR

std::string FormatCustomColors(const CustomColors& colors);
// Missing or unreadable entries (and values above 0xFFFFFF) are white.
CustomColors ParseCustomColors(std::string_view text);

}  // namespace velumbrino
