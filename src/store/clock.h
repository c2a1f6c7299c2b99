#pragma once
// Local time, injected so titles, alarms and date insertion can be tested at a set time.

namespace velumbrino {

struct LocalTime {
  int year = 2000;
  int month = 1;  // 1-12
  int day = 1;
  int hour = 0;
  int minute = 0;
  int second = 0;
};

class Clock {
 public:
  virtual ~Clock() = default;
  virtual LocalTime Now() const = 0;
};

}  // namespace velumbrino
