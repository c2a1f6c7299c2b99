#pragma once
// What the note window's files share: its timer ids and two small conversions.

#include <windows.h>

#include "note/note_layout.h"
#include "store/note_window.h"

namespace velumbrino::note_window {

inline constexpr UINT_PTR kAutosaveTimer = 3;
inline constexpr UINT_PTR kAlarmCheckTimer = 4;  // tmrEvent
inline constexpr UINT_PTR kBlinkTimer = 5;       // Piscar

inline COLORREF ToColorRef(Color color) { return static_cast<COLORREF>(color & 0x00FFFFFF); }

inline RECT ToRect(const LayoutRect& r) {
  return {r.left, r.top, r.left + r.width, r.top + r.height};
}

// A repeating timer of `window`, running at `interval_ms` while enabled.
inline void SetRepeatingTimer(HWND window, UINT_PTR id, bool enabled, int interval_ms) {
  if (!window) return;
  if (enabled) {
    SetTimer(window, id, static_cast<UINT>(interval_ms), nullptr);
  } else {
    KillTimer(window, id);
  }
}

}  // namespace velumbrino::note_window
