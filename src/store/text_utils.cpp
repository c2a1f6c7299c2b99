#include "store/text_utils.h"

#include <climits>

namespace velumbrino {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::string LowerAscii(std::string_view text) {
  std::string out(text);
  for (char& c : out) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return out;
}

}  // namespace

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

std::string Trim(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return std::string(text);
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
  const std::string trimmed = Trim(text);
  std::string_view digits = trimmed;
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

}  // namespace velumbrino
