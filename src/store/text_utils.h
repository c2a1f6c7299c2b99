#pragma once
// Small text helpers shared by the store, the shell and the note window.

#include <optional>
#include <string>
#include <string_view>

namespace velumbrino {

// Replaces the extension of the path's last part (after its last '.'; a dot in a folder name
// does not count) or appends one; a non-empty extension gets a '.' in front, and the caller's
// variable keeps it.
std::string ChangeExtension(std::string_view name, std::string& extension);

// Spaces and tabs trimmed at both ends.
std::string Trim(std::string_view text);
// Leading whole number after optional blanks and sign ("12abc" -> 12, "abc" -> 0);
// clamped to the int range.
long long LeadingNumber(std::string_view text);
// A whole number and nothing else (blanks around allowed), within int range.
std::optional<int> ParseWholeNumber(std::string_view text);
// "True"/"False" in any case, or a decimal number (0 false, anything else true); else nullopt.
std::optional<bool> TextToBool(std::string_view text);
inline const char* BoolToText(bool value) { return value ? "True" : "False"; }

}  // namespace velumbrino
