#include "store/text_utils.h"

#include <climits>
#include <iterator>

namespace velumbrino {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// One character's bytes at `at`: a well-formed sequence, or a single stray byte.
std::size_t CharacterAt(std::string_view utf8, std::size_t at) {
  const std::size_t length = Utf8SequenceAt(utf8, at);
  return length == 0 ? 1 : length;
}

}  // namespace

std::string LowerAscii(std::string_view text) {
  std::string out(text);
  for (char& c : out) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return out;
}

std::string ChangeExtension(std::string_view name, std::string& extension) {
  // Only a dot in the last part of the path starts an extension: cutting at a dot in a
  // folder name ("C:\v1.2\nota") would save into another folder under another name.
  const std::size_t separator = name.find_last_of("\\/");
  const std::size_t name_start = separator == std::string_view::npos ? 0 : separator + 1;
  const std::size_t dot = name.rfind('.');
  const bool has_extension = dot != std::string_view::npos && dot >= name_start;
  const std::string_view base = has_extension ? name.substr(0, dot) : name;
  if (!extension.empty()) extension = "." + extension;
  return std::string(base) + extension;
}

std::string_view Trim(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

long long LeadingNumber(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && IsBlank(text[i])) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  long long value = 0;
  for (; i < text.size() && IsDigit(text[i]); ++i) {
    value = value * 10 + (text[i] - '0');
    if (value > static_cast<long long>(INT_MAX) + 1) value = static_cast<long long>(INT_MAX) + 1;
  }
  if (negative) value = -value;
  if (value > INT_MAX) value = INT_MAX;
  if (value < INT_MIN) value = INT_MIN;
  return value;
}

std::optional<int> ParseWholeNumber(std::string_view text) {
  std::string_view digits = Trim(text);
  bool negative = false;
  if (!digits.empty() && (digits.front() == '+' || digits.front() == '-')) {
    negative = digits.front() == '-';
    digits.remove_prefix(1);
  }
  if (digits.empty()) return std::nullopt;
  long long value = 0;
  for (char c : digits) {
    if (!IsDigit(c)) return std::nullopt;
    value = value * 10 + (c - '0');
    if (value > static_cast<long long>(INT_MAX) + 1) return std::nullopt;
  }
  if (negative) value = -value;
  if (value > INT_MAX || value < INT_MIN) return std::nullopt;
  return static_cast<int>(value);
}

std::optional<bool> TextToBool(std::string_view text) {
  const std::string word = LowerAscii(Trim(text));
  if (word == "true") return true;
  if (word == "false") return false;
  std::string_view digits = word;
  if (!digits.empty() && (digits.front() == '+' || digits.front() == '-')) digits.remove_prefix(1);
  // A number with an optional fraction ("2.5", "0.0"), as a numeric text converts.
  bool zero = true, any_digit = false, point = false;
  for (char c : digits) {
    if (c == '.' && !point) {
      point = true;
      continue;
    }
    if (!IsDigit(c)) return std::nullopt;
    any_digit = true;
    if (c != '0') zero = false;
  }
  if (!any_digit) return std::nullopt;
  return !zero;
}

std::optional<std::uint32_t> ParseColor(std::string_view text) {
  const std::optional<int> value = ParseWholeNumber(text);
  if (!value || *value < 0 || *value > 0xFFFFFF) return std::nullopt;
  return static_cast<std::uint32_t>(*value);
}

std::string FormatText(std::string_view pattern, std::string_view first, std::string_view second) {
  std::string out;
  const std::string_view values[] = {first, second};
  std::size_t used = 0;
  for (std::size_t at = pattern.find("%s"); at != std::string_view::npos; at = pattern.find("%s")) {
    out.append(pattern.substr(0, at));
    if (used < std::size(values)) out.append(values[used++]);
    pattern.remove_prefix(at + 2);
  }
  return out.append(pattern);
}

std::size_t Utf8SequenceAt(std::string_view bytes, std::size_t at) {
  const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(bytes[at + k]); };
  const unsigned char lead = byte(0);
  if (lead < 0x80) return 1;
  std::size_t length = 0;
  unsigned char low = 0x80, high = 0xBF;  // allowed range of the second byte
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    if (lead == 0xE0) low = 0xA0;
    if (lead == 0xED) high = 0x9F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    if (lead == 0xF0) low = 0x90;
    if (lead == 0xF4) high = 0x8F;
  } else {
    return 0;
  }
  if (at + length > bytes.size()) return 0;
  if (byte(1) < low || byte(1) > high) return 0;
  for (std::size_t k = 2; k < length; ++k) {
    if ((byte(k) & 0xC0) != 0x80) return 0;
  }
  return length;
}

std::string_view FirstCharacters(std::string_view utf8, std::size_t max_chars) {
  std::size_t end = 0;
  for (std::size_t count = 0; count < max_chars && end < utf8.size(); ++count) {
    end += CharacterAt(utf8, end);
  }
  return utf8.substr(0, end);
}

std::string_view FirstBytes(std::string_view utf8, std::size_t max_bytes) {
  std::size_t end = 0;
  while (end < utf8.size()) {
    const std::size_t next = end + CharacterAt(utf8, end);
    if (next > max_bytes) break;
    end = next;
  }
  return utf8.substr(0, end);
}

}  // namespace velumbrino
