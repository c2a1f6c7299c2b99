#pragma once
// Dates and times as the program writes them: its own Portuguese month and weekday names and a
// 24-hour clock, whatever the system's language. The default note title, the title dialog and
// the insert-date dialog all format through here, so they can never disagree.

#include <string>
#include <string_view>

#include "store/clock.h"

namespace velumbrino {

// Month 1-12 ("jan", "janeiro"); a value out of range is taken as the nearest month.
std::string_view MonthAbbreviation(int month);
std::string_view MonthName(int month);
// "domingo" ... "sábado" for the date's day of the week (proleptic Gregorian calendar).
std::string_view WeekdayName(const LocalTime& date);

// Two-digit fields: out-of-range values are clamped, never printed wider.
std::string DayText(const LocalTime& date);               // "05"
std::string YearText(const LocalTime& date);              // "2026"
std::string TwoDigitYearText(const LocalTime& date);      // "26"
std::string DayMonthText(const LocalTime& date);          // "24/dez"
std::string ShortDateText(const LocalTime& date);         // "24/12/26"
std::string HourMinuteText(const LocalTime& time);        // "18:30"
std::string HourMinuteSecondText(const LocalTime& time);  // "18:30:05"
// "dd/mmm - hh:mm" from one reading of the clock ("24/dez - 18:30").
std::string DayMonthAndTimeText(const LocalTime& time);
// "quinta-feira, 24 de dezembro de 2026": used when the system's long date is not available.
std::string LongDateText(const LocalTime& date);

}  // namespace velumbrino
