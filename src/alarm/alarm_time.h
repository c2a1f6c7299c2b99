#pragma once
// The alarm's date and time texts ("dd/MM/yyyy" and 24-hour "hh:mm:ss", two digits per field),
// the minute arithmetic the alarm check needs, and the values the date and time pickers
// exchange with the alarm dialog.

#include <compare>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "store/clock.h"

namespace velumbrino {

struct AlarmDate {
  int year = 2000;
  int month = 1;  // 1-12
  int day = 1;
  auto operator<=>(const AlarmDate&) const = default;
};

struct AlarmTime {
  int hour = 0;  // 0-23
  int minute = 0;
  int second = 0;
  auto operator<=>(const AlarmTime&) const = default;
};

AlarmDate DateOf(const LocalTime& time);
AlarmTime TimeOf(const LocalTime& time);
LocalTime Combine(const AlarmDate& date, const AlarmTime& time);

std::string FormatAlarmDate(const AlarmDate& date);  // "05/12/2026"
std::string FormatAlarmTime(const AlarmTime& time);  // "09:05:30"
inline std::string FormatAlarmDate(const LocalTime& time) { return FormatAlarmDate(DateOf(time)); }
inline std::string FormatAlarmTime(const LocalTime& time) { return FormatAlarmTime(TimeOf(time)); }

// Day and month of one or two digits, a four-digit year (1601-9999), a real calendar day;
// blanks around the text are allowed. Anything else gives nullopt.
std::optional<AlarmDate> ParseAlarmDate(std::string_view text);
// Hours of one or two digits, two-digit minutes, optionally two-digit seconds, 24-hour;
// blanks around the text are allowed. Anything else gives nullopt.
std::optional<AlarmTime> ParseAlarmTime(std::string_view text);

// The stored "HoraAntes": the time one minute earlier in "hh:mm:ss" form, seconds kept.
// The minute before 00:00:ss is 23:59:ss (of the day before). Empty for an unreadable time.
std::string CalcHoraAntes(std::string_view time_text);

// Whole minutes since 1970-01-01 00:00 of the local calendar: the alarm's unit of time.
using AlarmMinute = std::int64_t;
inline constexpr AlarmMinute kMinutesPerDay = 24 * 60;

AlarmMinute MinuteOf(const AlarmDate& date, int hour, int minute);
inline AlarmMinute MinuteOf(const AlarmDate& date, const AlarmTime& time) {
  return MinuteOf(date, time.hour, time.minute);
}
inline AlarmMinute MinuteOf(const LocalTime& time) {
  return MinuteOf(DateOf(time), time.hour, time.minute);
}
AlarmDate DateOfMinute(AlarmMinute minute);

// What the pickers are given. The date picker keeps the current time of day beside the date,
// the time picker today's date beside the time; nullopt when the text is unreadable, and the
// picker then keeps its value. What they give back is FormatAlarmDate / FormatAlarmTime of
// the picked value.
std::optional<LocalTime> DatePickerValue(std::string_view date_text, const LocalTime& now);
std::optional<LocalTime> TimePickerValue(std::string_view time_text, const LocalTime& now);

}  // namespace velumbrino
