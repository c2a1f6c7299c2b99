#include "note/title_rules.h"

#include "store/date_text.h"

namespace velumbrino {
namespace {

bool IsContinuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

// Length of the well-formed UTF-8 sequence at `text[at]`; 1 for a stray byte.
std::size_t SequenceLength(std::string_view text, std::size_t at) {
  const auto lead = static_cast<unsigned char>(text[at]);
  std::size_t length = 1;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
  }
  if (at + length > text.size()) return 1;
  for (std::size_t i = 1; i < length; ++i) {
    if (!IsContinuation(static_cast<unsigned char>(text[at + i]))) return 1;
  }
  return length;
}

}  // namespace

std::size_t CharacterCount(std::string_view utf8) {
  std::size_t count = 0;
  for (std::size_t at = 0; at < utf8.size(); at += SequenceLength(utf8, at)) ++count;
  return count;
}

std::string FirstCharacters(std::string_view utf8, std::size_t max_chars) {
  std::size_t at = 0;
  for (std::size_t count = 0; count < max_chars && at < utf8.size(); ++count) {
    at += SequenceLength(utf8, at);
  }
  return std::string(utf8.substr(0, at));
}

std::string TitleButtonText(TitleButton button, const LocalTime& now) {
  switch (button) {
    case TitleButton::kDate:
      return DayMonthText(now);
    case TitleButton::kTime:
      return HourMinuteText(now);
    case TitleButton::kDateAndTime:
      break;
  }
  return DayMonthAndTimeText(now);
}

}  // namespace velumbrino
