#pragma once
// The stored files and registry texts are single-byte Windows-1252; the program holds UTF-8.

#include <string>
#include <string_view>

namespace velumbrino {

// Characters with no Windows-1252 byte become '?'.
std::string Utf8ToCp1252(std::string_view utf8);
// Every byte maps to a character; the five undefined bytes map to U+0081 etc. as Windows does.
std::string Cp1252ToUtf8(std::string_view bytes);
// Appends the UTF-8 form of one code point.
void AppendUtf8(std::string& out, char32_t code_point);

}  // namespace velumbrino
