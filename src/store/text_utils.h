#pragma once
// Small text helpers shared by the store, the shell and the note window.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace velumbrino {

// Replaces the extension of the path's last part (after its last '.'; a dot in a folder name
// does not count) or appends one; a non-empty extension gets a '.' in front, and the caller's
// variable keeps it.
std::string ChangeExtension(std::string_view name, std::string& extension);

// Spaces and tabs trimmed at both ends (a view into `text`).
std::string_view Trim(std::string_view text);
// A to Z lowered; every other byte, UTF-8 included, kept.
std::string LowerAscii(std::string_view text);
// Leading whole number after optional blanks and sign ("12abc" -> 12, "abc" -> 0);
// clamped to the int range.
long long LeadingNumber(std::string_view text);
// A whole number and nothing else (blanks around allowed), within int range.
std::optional<int> ParseWholeNumber(std::string_view text);
// "True"/"False" in any case, or a decimal number (0 false, anything else true); else nullopt.
std::optional<bool> TextToBool(std::string_view text);
inline const char* BoolToText(bool value) { return value ? "True" : "False"; }
// A stored colour: a plain whole number from 0 to 0xFFFFFF (0x00BBGGRR); else nullopt.
std::optional<std::uint32_t> ParseColor(std::string_view text);

// `pattern` with each "%s" in turn replaced by the next value; values go in as they are, so a
// '%' in a path or a title is only text. A "%s" beyond the values given is left out.
std::string FormatText(std::string_view pattern, std::string_view first,
                       std::string_view second = {});

// UTF-8. A byte that starts no well-formed sequence counts as one character of its own.
// Length of the well-formed sequence at `at` (no overlong forms, no surrogates, nothing above
// U+10FFFF), or 0 when it is malformed.
std::size_t Utf8SequenceAt(std::string_view bytes, std::size_t at);
// The first `max_chars` characters, never cutting a character in two.
std::string_view FirstCharacters(std::string_view utf8, std::size_t max_chars);
// The longest start of the text within `max_bytes` that cuts no character in two.
std::string_view FirstBytes(std::string_view utf8, std::size_t max_bytes);

}  // namespace velumbrino
