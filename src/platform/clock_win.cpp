#include "platform/clock_win.h"

#include <windows.h>

namespace velumbrino {

LocalTime SystemClock::Now() const {
  SYSTEMTIME now{};
  GetLocalTime(&now);
  return {now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond};
}

}  // namespace velumbrino
