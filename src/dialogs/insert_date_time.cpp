#include "dialogs/insert_date_time.h"

#include "store/date_text.h"

namespace velumbrino {

std::array<std::string, kDateTimeSampleCount> DateTimeSamples(const LocalTime& now,
                                                              std::string_view system_long_date) {
  const std::string day = DayText(now);
  const std::string month(MonthName(now.month));
  const std::string abbreviation(MonthAbbreviation(now.month));
  const std::string year = YearText(now);
  const std::string yy = TwoDigitYearText(now);
  const std::string short_date = ShortDateText(now);
  return {
      short_date,                      // dd/mm/yy
      day + " " + month + " " + year,  // dd mmmm yyyy
      system_long_date.empty() ? LongDateText(now) : std::string(system_long_date),
      day + " " + month + ", " + year,      // dd mmmm, yyyy
      month + " " + day + ", " + year,      // mmmm dd, yyyy
      day + "/" + abbreviation + "/" + yy,  // dd/mmm/yy
      month + ", " + yy,                    // mmmm, yy
      abbreviation + "/" + yy,              // mmm/yy
      short_date + " - " + HourMinuteText(now),
      short_date + " - " + HourMinuteSecondText(now),
      HourMinuteText(now),
      HourMinuteSecondText(now),
  };
}

}  // namespace velumbrino
