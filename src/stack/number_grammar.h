// The extent of one number in the ASCII stack, found in the same pass that
// gathers its decimal digits.
//
// A number is an optional sign, digits with at most one decimal point (at
// least one digit in all), then optionally an exponent: 'e' or 'E' (taken
// only after a digit), an optional sign and digits. Reading takes the
// longest run of bytes that fits this shape and stops at the first byte
// that cannot continue it. What was taken converts only when it holds a
// mantissa digit and, after an exponent letter, an exponent digit: "1e",
// "1e+", "." and "-" are taken but are not numbers.
#pragma once

#include <cstdint>

#include "stack/char_class.h"

namespace brondel {

struct ScannedNumber {
  const char* end;          // one past the last byte taken
  bool complete;            // the bytes taken form a convertible number
  bool negative;            // a minus sign leads
  std::uint64_t digits;     // the mantissa digits as an integer, when digitCount <= 19
  std::int64_t digitCount;  // mantissa digits, leading zeros included
  std::int64_t exponent10;  // value = digits x 10^exponent10, when digitCount <= 19
};

inline constexpr std::int64_t kMaxExactDigits = 19;  // every 19-digit integer fits 64 bits

// Scans the number that starts at `p`. The bytes must be followed, at the
// latest, by a byte that cannot continue a number (the reader keeps a NUL
// after its buffer), so no bound is checked here.
// Takes the run of digits at `p` into `digits`. Past 19 digits the value
// wraps around and is not used. A plain loop: the runs are short, and a
// predicted branch beats a multi-byte load that the next scan must wait for.
inline const char* takeDigits(const char* p, std::uint64_t& digits) {
  while (isDigit(static_cast<unsigned char>(*p))) {
    digits = digits * 10 + static_cast<unsigned char>(*p - '0');
    ++p;
  }
  return p;
}

inline ScannedNumber scanNumber(const char* p) {
  // Signs come in no pattern: step over one without a branch.
  const char lead = *p;
  ScannedNumber n{p, false, lead == '-', 0, 0, 0};
  p += static_cast<int>(lead == '-') | static_cast<int>(lead == '+');
  std::uint64_t digits = 0;
  const char* const integer = p;
  p = takeDigits(p, digits);
  std::int64_t fractionDigits = 0;
  std::int64_t count = p - integer;
  if (*p == '.') {
    const char* const fraction = ++p;
    p = takeDigits(p, digits);
    fractionDigits = p - fraction;
    count += fractionDigits;
  }
  n.digits = digits;
  n.digitCount = count;
  n.exponent10 = -fractionDigits;
  if (count > 0 && (*p == 'e' || *p == 'E')) {
    ++p;
    const bool negativeExponent = *p == '-';
    if (*p == '+' || *p == '-') ++p;
    const char* const exponent = p;
    std::int64_t value = 0;
    while (isDigit(static_cast<unsigned char>(*p))) {
      if (value < 1'000'000'000) value = value * 10 + (*p - '0');  // saturates far outside any range
      ++p;
    }
    n.exponent10 += negativeExponent ? -value : value;
    n.end = p;
    n.complete = p != exponent;
    return n;
  }
  n.end = p;
  n.complete = count > 0;
  return n;
}

}  // namespace brondel
