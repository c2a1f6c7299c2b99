// Date texts of the note title, the title dialog and the insert-date dialog.
#include "store/date_text.h"

#include <gtest/gtest.h>

#include "dialogs/insert_date_time.h"
#include "note/note_layout.h"
#include "note/title_rules.h"

namespace velumbrino {
namespace {

TEST(DateTextTest, TitleButtonsAndNewNoteTitleAgree) {
  struct Case {
    LocalTime now;
    const char* date;
    const char* time;
    const char* both;
  };
  const Case cases[] = {
      {{2026, 12, 24, 18, 30, 0}, "24/dez", "18:30", "24/dez - 18:30"},
      {{2027, 1, 1, 0, 0, 0}, "01/jan", "00:00", "01/jan - 00:00"},  // midnight
      {{2026, 12, 31, 23, 59, 59}, "31/dez", "23:59", "31/dez - 23:59"},
      {{2026, 3, 7, 9, 5, 0}, "07/mar", "09:05", "07/mar - 09:05"},
      {{2023, 13, 1, 0, 0, 0}, "01/dez", "00:00", "01/dez - 00:00"},  // broken clock value
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.both);
    EXPECT_EQ(TitleButtonText(TitleButton::kDate, c.now), c.date);
    EXPECT_EQ(TitleButtonText(TitleButton::kTime, c.now), c.time);
    EXPECT_EQ(TitleButtonText(TitleButton::kDateAndTime, c.now), c.both);
    EXPECT_EQ(NoteTitle(c.now), c.both);
  }
}

TEST(DateTextTest, OwnLongDateNamesTheRightWeekday) {
  EXPECT_EQ(LongDateText({2026, 12, 5, 0, 0, 0}), "sábado, 5 de dezembro de 2026");
  EXPECT_EQ(LongDateText({2024, 2, 29, 0, 0, 0}), "quinta-feira, 29 de fevereiro de 2024");
  EXPECT_EQ(LongDateText({2000, 1, 1, 0, 0, 0}), "sábado, 1 de janeiro de 2000");
  EXPECT_EQ(LongDateText({1969, 12, 28, 0, 0, 0}), "domingo, 28 de dezembro de 1969");
  EXPECT_EQ(LongDateText({2030, 3, 4, 0, 0, 0}), "segunda-feira, 4 de março de 2030");
}

TEST(DateTextTest, TwelveSamplesInListOrder) {
  const LocalTime moment{2026, 12, 5, 14, 30, 45};
  const std::array<std::string, kDateTimeSampleCount> expected = {"05/12/26",
                                                                  "05 dezembro 2026",
                                                                  "sábado, 5 de dezembro de 2026",
                                                                  "05 dezembro, 2026",
                                                                  "dezembro 05, 2026",
                                                                  "05/dez/26",
                                                                  "dezembro, 26",
                                                                  "dez/26",
                                                                  "05/12/26 - 14:30",
                                                                  "05/12/26 - 14:30:45",
                                                                  "14:30",
                                                                  "14:30:45"};
  EXPECT_EQ(DateTimeSamples(moment, "sábado, 5 de dezembro de 2026"), expected);
  // Without the system's long date the program's own form stands in.
  EXPECT_EQ(DateTimeSamples(moment, ""), expected);
  // The system's form is taken as it is, whatever its language and order.
  EXPECT_EQ(DateTimeSamples(moment, "Saturday, December 5, 2026")[2], "Saturday, December 5, 2026");
}

}  // namespace
}  // namespace velumbrino
