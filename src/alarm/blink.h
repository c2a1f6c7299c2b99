#pragma once
// The blinking of a note whose alarm fired: its frame alternates between the note's own two
// colours, and a press in the body puts both back as stored.

#include "store/note_keys.h"
#include "store/note_window.h"

namespace velumbrino {

inline constexpr int kBlinkFirstIntervalMs = 200;  // a note that never blinked
inline constexpr int kBlinkWindowColorMs = 500;    // the frame in its own colour
inline constexpr int kBlinkBodyColorMs = 300;      // the frame in the body's colour

// "Color1" and "Color2" as stored; a missing or unreadable value gives the classic colour.
struct NoteColors {
  Color window = kClassicWindowColor;
  Color body = kClassicBodyColor;
};
NoteColors ReadNoteColors(const NoteSettings& settings);

// One blink tick: the frame colour to show next and how long until the next tick.
struct BlinkStep {
  Color frame;
  int next_interval_ms;
};
BlinkStep NextBlinkStep(Color current_frame, const NoteColors& colors);

}  // namespace velumbrino
