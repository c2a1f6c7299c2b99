#include "alarm/alarm_time.h"

#include <array>
#include <cstdio>

#include "store/text_utils.h"

namespace velumbrino {

namespace {

bool IsLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int DaysInMonth(int year, int month) {
  static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

// Days since 1970-01-01 in the proleptic Gregorian calendar.
std::int64_t DaysFromCivil(int year, int month, int day) {
  const std::int64_t y = year - (month <= 2 ? 1 : 0);
  const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
  const std::int64_t year_of_era = y - era * 400;
  const std::int64_t day_of_year = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
  const std::int64_t day_of_era =
      year_of_era * 365 + year_of_era / 4 - year_of_era / 100 + day_of_year;
  return era * 146097 + day_of_era - 719468;
}

AlarmDate CivilFromDays(std::int64_t days) {
  days += 719468;
  const std::int64_t era = (days >= 0 ? days : days - 146096) / 146097;
  const std::int64_t day_of_era = days - era * 146097;
  const std::int64_t year_of_era =
      (day_of_era - day_of_era / 1460 + day_of_era / 36524 - day_of_era / 146096) / 365;
  const std::int64_t day_of_year =
      day_of_era - (365 * year_of_era + year_of_era / 4 - year_of_era / 100);
  const std::int64_t mp = (5 * day_of_year + 2) / 153;
  const int day = static_cast<int>(day_of_year - (153 * mp + 2) / 5 + 1);
  const int month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  const int year = static_cast<int>(year_of_era + era * 400 + (month <= 2 ? 1 : 0));
  return {year, month, day};
}

// Splits "a<sep>b<sep>c" into digit-only fields of the given widths (min..max each).
struct Field {
  int min_digits;
  int max_digits;
};

template <std::size_t N>
std::optional<std::array<int, N>> ReadFields(std::string_view text, char separator,
                                             const Field (&fields)[N], std::size_t required) {
  std::array<int, N> values{};
  std::size_t pos = 0;
  for (std::size_t i = 0; i < N; ++i) {
    if (i > 0) {
      if (pos == text.size() && i >= required) return values;
      if (pos >= text.size() || text[pos] != separator) return std::nullopt;
      ++pos;
    }
    int digits = 0, value = 0;
    while (pos < text.size() && text[pos] >= '0' && text[pos] <= '9' &&
           digits < fields[i].max_digits) {
      value = value * 10 + (text[pos] - '0');
      ++digits;
      ++pos;
    }
    if (digits < fields[i].min_digits) return std::nullopt;
    values[i] = value;
  }
  if (pos != text.size()) return std::nullopt;
  return values;
}

}  // namespace

AlarmDate DateOf(const LocalTime& time) { return {time.year, time.month, time.day}; }
AlarmTime TimeOf(const LocalTime& time) { return {time.hour, time.minute, time.second}; }
LocalTime Combine(const AlarmDate& date, const AlarmTime& time) {
  return {date.year, date.month, date.day, time.hour, time.minute, time.second};
}

std::string FormatAlarmDate(const AlarmDate& date) {
  char text[16];
  std::snprintf(text, sizeof text, "%02d/%02d/%04d", date.day, date.month, date.year);
  return text;
}

std::string FormatAlarmTime(const AlarmTime& time) {
  char text[16];
  std::snprintf(text, sizeof text, "%02d:%02d:%02d", time.hour, time.minute, time.second);
  return text;
}

std::optional<AlarmDate> ParseAlarmDate(std::string_view text) {
  const std::string_view trimmed = Trim(text);
  static constexpr Field kFields[] = {{1, 2}, {1, 2}, {4, 4}};
  const auto values = ReadFields(trimmed, '/', kFields, 3);
  if (!values) return std::nullopt;
  const AlarmDate date{(*values)[2], (*values)[1], (*values)[0]};
  if (date.year < 1601 || date.month < 1 || date.month > 12 || date.day < 1 ||
      date.day > DaysInMonth(date.year, date.month)) {
    return std::nullopt;
  }
  return date;
}

std::optional<AlarmTime> ParseAlarmTime(std::string_view text) {
  const std::string_view trimmed = Trim(text);
  static constexpr Field kFields[] = {{1, 2}, {2, 2}, {2, 2}};
  const auto values = ReadFields(trimmed, ':', kFields, 2);
  if (!values) return std::nullopt;
  const AlarmTime time{(*values)[0], (*values)[1], (*values)[2]};
  if (time.hour > 23 || time.minute > 59 || time.second > 59) return std::nullopt;
  return time;
}

std::string CalcHoraAntes(std::string_view time_text) {
  const auto time = ParseAlarmTime(time_text);
  if (!time) return {};
  const int minutes = (time->hour * 60 + time->minute + kMinutesPerDay - 1) % kMinutesPerDay;
  return FormatAlarmTime(AlarmTime{minutes / 60, minutes % 60, time->second});
}

AlarmMinute MinuteOf(const AlarmDate& date, int hour, int minute) {
  return DaysFromCivil(date.year, date.month, date.day) * kMinutesPerDay + hour * 60 + minute;
}

AlarmDate DateOfMinute(AlarmMinute minute) {
  const AlarmMinute days =
      minute >= 0 ? minute / kMinutesPerDay : -((-minute + kMinutesPerDay - 1) / kMinutesPerDay);
  return CivilFromDays(days);
}

std::optional<LocalTime> DatePickerValue(std::string_view date_text, const LocalTime& now) {
  const auto date = ParseAlarmDate(date_text);
  if (!date) return std::nullopt;
  return Combine(*date, TimeOf(now));
}

std::optional<LocalTime> TimePickerValue(std::string_view time_text, const LocalTime& now) {
  const auto time = ParseAlarmTime(time_text);
  if (!time) return std::nullopt;
  return Combine(DateOf(now), *time);
}

}  // namespace velumbrino
