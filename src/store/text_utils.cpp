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

std::string GetListField(std::string& list, std::string_view delimiter, int n) {
  if (delimiter.empty()) return {};
  if (!list.starts_with(delimiter)) list = std::string(delimiter) + list;
  if (!list.ends_with(delimiter)) list += delimiter;
  if (n < 1) return {};
  std::size_t position = 0;
  for (int i = 1; i <= n; ++i) {
    const std::size_t found = list.find(delimiter, position);
    if (found == std::string::npos) return {};
    position = found + delimiter.size();
  }
  const std::size_t next = list.find(delimiter, position);
  if (next == std::string::npos) return {};
  return list.substr(position, next - position);
}

std::string ReplaceAll(std::string text, std::string_view searched, std::string_view replacement) {
  if (searched.empty()) return text;
  // Searching again from the start lets a replacement join with what precedes it
  // (",1,1," -> ","); when the replacement holds the searched text that would never end,
  // so the search then goes on after each replacement instead.
  const bool restart = replacement.find(searched) == std::string_view::npos;
  std::string out;
  out.reserve(text.size());
  if (!restart) {
    std::size_t from = 0;
    for (std::size_t found; (found = text.find(searched, from)) != std::string::npos;) {
      out.append(text, from, found - from).append(replacement);
      from = found + searched.size();
    }
    return out.append(text, from);
  }
  // One pass instead of a search from the start after each replacement: the text already
  // passed never holds the searched text, so a new occurrence can only end at the next
  // character taken, and the one ending first is the one a search from the start finds
  // first. A megabyte of repeats in a damaged index then takes milliseconds, not minutes.
  std::string pending;  // replacement characters still to take, in reverse order
  std::size_t next = 0;
  while (next < text.size() || !pending.empty()) {
    if (!pending.empty()) {
      out += pending.back();
      pending.pop_back();
    } else {
      out += text[next++];
    }
    if (out.size() >= searched.size() &&
        std::string_view(out).substr(out.size() - searched.size()) == searched) {
      out.resize(out.size() - searched.size());
      pending.append(replacement.rbegin(), replacement.rend());
    }
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
