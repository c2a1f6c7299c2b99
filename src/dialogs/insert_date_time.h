#pragma once
// The samples of the insert-date-and-time dialog: one moment written in twelve fixed forms.
// What the list shows is exactly what is inserted into the note.

#include <array>
#include <string>
#include <string_view>

#include "store/clock.h"

namespace velumbrino {

inline constexpr std::size_t kDateTimeSampleCount = 12;

// In list order, for 5 December 2026 14:30:45:
//   05/12/26 | 05 dezembro 2026 | <system long date> | 05 dezembro, 2026 | dezembro 05, 2026 |
//   05/dez/26 | dezembro, 26 | dez/26 | 05/12/26 - 14:30 | 05/12/26 - 14:30:45 | 14:30 | 14:30:45
// `system_long_date` is the system's long date form of the same day (third entry); when it is
// empty the program's own long form stands in ("sábado, 5 de dezembro de 2026").
std::array<std::string, kDateTimeSampleCount> DateTimeSamples(const LocalTime& now,
                                                              std::string_view system_long_date);

}  // namespace velumbrino
