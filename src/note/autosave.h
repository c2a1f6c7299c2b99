#pragma once
// When a changed note asks to be saved: after a pause in the changes, and at the latest a
// while after the first change not yet saved, so that typing without a pause is saved too.

#include <algorithm>
#include <cstdint>

namespace velumbrino {

inline constexpr std::uint32_t kAutosavePauseMs = 2000;
inline constexpr std::uint32_t kAutosaveLatestMs = 30000;

// The wait from now, `since_first_change_ms` after the first unsaved change.
inline std::uint32_t AutosaveDelayMs(std::uint64_t since_first_change_ms) {
  if (since_first_change_ms >= kAutosaveLatestMs) return 0;
  return static_cast<std::uint32_t>(
      std::min<std::uint64_t>(kAutosavePauseMs, kAutosaveLatestMs - since_first_change_ms));
}

}  // namespace velumbrino
