#pragma once
// UTF-8 (the core's text) <-> UTF-16 (the W functions).

#include <string>
#include <string_view>

namespace velumbrino {

std::wstring Widen(std::string_view utf8);
std::string Narrow(std::wstring_view wide);

}  // namespace velumbrino
