#pragma once

#include "store/clock.h"

namespace velumbrino::testing {

class FakeClock : public Clock {
 public:
  explicit FakeClock(LocalTime now = {}) : now(now) {}
  LocalTime Now() const override { return now; }
  LocalTime now;
};

}  // namespace velumbrino::testing
