#pragma once
// Twips (1/1440 inch) and pixels at a resolution: window and dialog layouts are designed in
// twips and placed in pixels at the resolution they are shown at.

namespace velumbrino {

inline constexpr int kTwipsPerInch = 1440;

// A resolution the system could not tell (0 or less) counts as 96 dpi.
inline int SafeDpi(int dpi) { return dpi > 0 ? dpi : 96; }

// Whole-pixel conversions; a result exactly between two whole numbers goes to the even one.
int TwipsToPixels(int twips, int dpi);
int PixelsToTwips(int pixels, int dpi);
// `value` x numerator / denominator (denominator > 0) to the nearest whole number, halves to
// the even one.
int MultiplyDivideRoundHalfEven(int value, int numerator, int denominator);

}  // namespace velumbrino
