// The extent of one number in the ASCII stack.
//
// A number is an optional sign, digits with at most one decimal point (at
// least one digit in all), then optionally an exponent: 'e' or 'E' (taken
// only after a digit), an optional sign and digits. Reading takes the
// longest run of bytes that fits this shape and stops at the first byte
// that cannot continue it. What was taken converts only when it holds a
// mantissa digit and, after an exponent letter, an exponent digit: "1e",
// "1e+", "." and "-" are taken but are not numbers.
#pragma once

#include "stack/char_class.h"

namespace brondel {

struct ScannedNumber {
  const char* end;  // one past the last byte taken
  bool complete;    // the bytes taken form a convertible number
};

// Scans the number that starts at `p`. The bytes must be followed, at the
// latest, by a byte that cannot continue a number (the reader keeps a NUL
// after its buffer), so no bound is checked here.
inline ScannedNumber scanNumber(const char* p) {
  if (*p == '+' || *p == '-') ++p;
  const char* const mantissa = p;
  while (isDigit(static_cast<unsigned char>(*p))) ++p;
  bool hasDigit = p != mantissa;
  if (*p == '.') {
    const char* const fraction = ++p;
    while (isDigit(static_cast<unsigned char>(*p))) ++p;
    hasDigit = hasDigit || p != fraction;
  }
  if (hasDigit && (*p == 'e' || *p == 'E')) {
    ++p;
    if (*p == '+' || *p == '-') ++p;
    const char* const exponent = p;
    while (isDigit(static_cast<unsigned char>(*p))) ++p;
    return {p, p != exponent};
  }
  return {p, hasDigit};
}

}  // namespace brondel
