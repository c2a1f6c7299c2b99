#include "store/date_text.h"

#include <algorithm>
#include <array>

namespace velumbrino {
namespace {

constexpr std::array<std::string_view, 12> kMonthAbbreviations = {
    "jan", "fev", "mar", "abr", "mai", "jun", "jul", "ago", "set", "out", "nov", "dez"};
constexpr std::array<std::string_view, 12> kMonthNames = {
    "janeiro", "fevereiro", "março",    "abril",   "maio",     "junho",
    "julho",   "agosto",    "setembro", "outubro", "novembro", "dezembro"};
constexpr std::array<std::string_view, 7> kWeekdayNames = {
    "domingo",      "segunda-feira", "terça-feira", "quarta-feira",
    "quinta-feira", "sexta-feira",   "sábado"};

std::size_t MonthIndex(int month) { return static_cast<std::size_t>(std::clamp(month, 1, 12) - 1); }
int TwoDigits(int value) { return std::clamp(value, 0, 99); }
int Year(const LocalTime& date) { return std::clamp(date.year, 1, 9999); }

// A non-negative number with leading zeros up to `width` digits.
std::string Padded(int value, std::size_t width) {
  std::string digits = std::to_string(value);
  if (digits.size() < width) digits.insert(0, width - digits.size(), '0');
  return digits;
}

// Days since 1970-01-01 (Howard Hinnant's civil-from-days inverse).
long long DaysFromCivil(long long year, unsigned month, unsigned day) {
  year -= month <= 2;
  const long long era = (year >= 0 ? year : year - 399) / 400;
  const unsigned year_of_era = static_cast<unsigned>(year - era * 400);
  const unsigned day_of_year = (153 * (month > 2 ? month - 3 : month + 9) + 2) / 5 + day - 1;
  const unsigned day_of_era = year_of_era * 365 + year_of_era / 4 - year_of_era / 100 + day_of_year;
  return era * 146097 + static_cast<long long>(day_of_era) - 719468;
}

}  // namespace

std::string_view MonthAbbreviation(int month) { return kMonthAbbreviations[MonthIndex(month)]; }
std::string_view MonthName(int month) { return kMonthNames[MonthIndex(month)]; }

std::string_view WeekdayName(const LocalTime& date) {
  const long long days =
      DaysFromCivil(Year(date), static_cast<unsigned>(MonthIndex(date.month) + 1),
                    static_cast<unsigned>(std::clamp(date.day, 1, 31)));
  // 1970-01-01 was a Thursday (index 4).
  const long long weekday = ((days % 7) + 7 + 4) % 7;
  return kWeekdayNames[static_cast<std::size_t>(weekday)];
}

std::string DayText(const LocalTime& date) { return Padded(TwoDigits(date.day), 2); }
std::string YearText(const LocalTime& date) { return Padded(Year(date), 4); }
std::string TwoDigitYearText(const LocalTime& date) { return Padded(Year(date) % 100, 2); }

std::string DayMonthText(const LocalTime& date) {
  return DayText(date) + "/" + std::string(MonthAbbreviation(date.month));
}

std::string ShortDateText(const LocalTime& date) {
  return DayText(date) + "/" + Padded(static_cast<int>(MonthIndex(date.month) + 1), 2) + "/" +
         TwoDigitYearText(date);
}

std::string HourMinuteText(const LocalTime& time) {
  return Padded(TwoDigits(time.hour), 2) + ":" + Padded(TwoDigits(time.minute), 2);
}

std::string HourMinuteSecondText(const LocalTime& time) {
  return HourMinuteText(time) + ":" + Padded(TwoDigits(time.second), 2);
}

std::string DayMonthAndTimeText(const LocalTime& time) {
  return DayMonthText(time) + " - " + HourMinuteText(time);
}

std::string LongDateText(const LocalTime& date) {
  return std::string(WeekdayName(date)) + ", " + std::to_string(std::clamp(date.day, 1, 31)) +
         " de " + std::string(MonthName(date.month)) + " de " + std::to_string(Year(date));
}

}  // namespace velumbrino
