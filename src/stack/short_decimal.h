// Correct rounding of a decimal of at most 19 digits, given as its digits
// and power of ten, without looking at its text again: fast_float's
// 128-bit product algorithm, which settles nearly every such number. (Uses
// fast_float's internal steps, as shipped in Debian's libfast-float-dev 3.x.)
#pragma once

#include <fast_float/fast_float.h>

#include <cstdint>

namespace brondel {

// Sets `out` to the correctly rounded value of digits x 10^exponent10 (an
// infinity when it overflows) and returns true, or returns false in the
// rare case that needs the digits' text.
template <class T>
bool roundShortDecimal(std::uint64_t digits, std::int64_t exponent10, bool negative, T& out) {
  const fast_float::adjusted_mantissa am = fast_float::compute_float<fast_float::binary_format<T>>(exponent10, digits);
  if (am.power2 < 0) return false;
  fast_float::to_float(negative, am, out);
  return true;
}

}  // namespace brondel
