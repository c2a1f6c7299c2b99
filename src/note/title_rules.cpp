#include "note/title_rules.h"

#include "store/date_text.h"

namespace velumbrino {

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
