#include "platform/twips.h"

#include <cstdint>

namespace velumbrino {

int MultiplyDivideRoundHalfEven(int value, int numerator, int denominator) {
  std::int64_t quotient = std::int64_t{value} * numerator / denominator;
  std::int64_t remainder = std::int64_t{value} * numerator % denominator;
  if (remainder < 0) {  // make it a floor division
    --quotient;
    remainder += denominator;
  }
  const std::int64_t twice = remainder * 2;
  if (twice > denominator || (twice == denominator && quotient % 2 != 0)) ++quotient;
  return static_cast<int>(quotient);
}

int TwipsToPixels(int twips, int dpi) {
  return MultiplyDivideRoundHalfEven(twips, SafeDpi(dpi), kTwipsPerInch);
}

int PixelsToTwips(int pixels, int dpi) {
  return MultiplyDivideRoundHalfEven(pixels, kTwipsPerInch, SafeDpi(dpi));
}

}  // namespace velumbrino
