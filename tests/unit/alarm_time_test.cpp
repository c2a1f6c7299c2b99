#include "alarm/alarm_time.h"

#include <gtest/gtest.h>

namespace velumbrino {
namespace {

TEST(AlarmTimeTest, ReadsDatesAndTimesAndRejectsNonsense) {
  EXPECT_EQ(ParseAlarmDate("05/12/2026"), (AlarmDate{2026, 12, 5}));
  EXPECT_EQ(ParseAlarmDate(" 5/1/2026 "), (AlarmDate{2026, 1, 5}));
  EXPECT_EQ(ParseAlarmDate("29/02/2024"), (AlarmDate{2024, 2, 29}));
  for (const char* bad : {"29/02/2026", "31/04/2026", "00/01/2026", "01/13/2026", "01/01/26",
                          "01/01/20266", "01-01-2026", "01/01/2026x", ""}) {
    EXPECT_FALSE(ParseAlarmDate(bad)) << bad;
  }
  EXPECT_EQ(ParseAlarmTime("14:30:00"), (AlarmTime{14, 30, 0}));
  EXPECT_EQ(ParseAlarmTime("9:05"), (AlarmTime{9, 5, 0}));
  for (const char* bad :
       {"24:00:00", "12:60:00", "12:00:60", "12:5:00", "12:05:", "02:30:00 PM", "-1:00:00"}) {
    EXPECT_FALSE(ParseAlarmTime(bad)) << bad;
  }
}

TEST(AlarmTimeTest, CalcHoraAntesIsOneMinuteEarlierAndWrapsAtMidnight) {
  const std::pair<const char*, const char*> cases[] = {
      {"14:00:00", "13:59:00"}, {"09:05:30", "09:04:30"}, {"10:00:00", "09:59:00"},
      {"00:00:15", "23:59:15"}, {"00:01:00", "00:00:00"}, {"nonsense", ""},
  };
  for (const auto& [time, before] : cases) EXPECT_EQ(CalcHoraAntes(time), before) << time;
}

TEST(AlarmTimeTest, MinutesCrossMonthYearAndLeapDayEnds) {
  const std::pair<AlarmDate, AlarmDate> next_day[] = {
      {{2026, 12, 31}, {2027, 1, 1}}, {{2024, 2, 28}, {2024, 2, 29}}, {{2026, 2, 28}, {2026, 3, 1}},
      {{2026, 4, 30}, {2026, 5, 1}},  {{1969, 12, 31}, {1970, 1, 1}}, {{2100, 2, 28}, {2100, 3, 1}},
  };
  for (const auto& [day, following] : next_day) {
    const AlarmMinute last_minute = MinuteOf(day, 23, 59);
    EXPECT_EQ(DateOfMinute(last_minute), day);
    EXPECT_EQ(DateOfMinute(last_minute + 1), following) << FormatAlarmDate(day);
    EXPECT_EQ(MinuteOf(following, 0, 0), last_minute + 1);
  }
}

}  // namespace
}  // namespace velumbrino
