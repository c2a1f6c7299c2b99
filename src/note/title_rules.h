#pragma once
// The rules of the note title dialog that do not depend on the window: how much the user may
// type and what its "Data", "Hora" and "Com Data e Hora" buttons put into the text box.

#include <cstddef>
#include <string>

#include "store/clock.h"

namespace velumbrino {

// Typing stops here; a stored title that is longer is shown and kept whole.
inline constexpr std::size_t kTitleMaxChars = 23;

// The three buttons, in the order of their control array.
enum class TitleButton { kDate = 0, kTime = 1, kDateAndTime = 2 };

// The text that replaces the text box: "24/dez", "18:30" or "24/dez - 18:30". Date and time
// come from one reading of the clock, so a click at midnight cannot pair two days. Not cut
// to the typing limit (the longest is 14 characters).
std::string TitleButtonText(TitleButton button, const LocalTime& now);

}  // namespace velumbrino
