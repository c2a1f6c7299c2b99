#pragma once
// The system's local time.

#include "store/clock.h"

namespace velumbrino {

class SystemClock : public Clock {
 public:
  LocalTime Now() const override;
};

}  // namespace velumbrino
