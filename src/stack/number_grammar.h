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

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>

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

// Bytes that scanNumber() may load past the byte that ends a number.
inline constexpr std::size_t kScanPadding = 8;

namespace detail {

inline constexpr std::uint64_t kDigitPowers[] = {1, 10, 100, 1000, 10000, 100000, 1000000, 10000000, 100000000};

// How many of the eight bytes in `word` (first byte lowest) are digits,
// counted from the first, given word ^ "00000000": each digit is then its
// value, and a byte is a digit exactly when it is below 10.
inline int leadingDigitCount(std::uint64_t values) {
  constexpr std::uint64_t kLow7 = 0x7F7F7F7F7F7F7F7FULL;
  constexpr std::uint64_t kHigh = 0x8080808080808080ULL;
  // High bit of a byte set when the byte is 10 or more; no carry crosses bytes.
  const std::uint64_t notDigit = (((values & kLow7) + 0x7676767676767676ULL) | values) & kHigh;
  return notDigit == 0 ? 8 : std::countr_zero(notDigit) >> 3;
}

// The integer that the first `count` (1 to 8) digit values in `values` spell.
inline std::uint64_t leadingDigitsValue(std::uint64_t values, int count) {
  values <<= 8 * (8 - count);  // the digits to the top; zero digits lead
  values = values * 10 + (values >> 8);
  constexpr std::uint64_t kMask = 0x000000FF000000FFULL;
  constexpr std::uint64_t kMul1 = 100 + (1000000ULL << 32);
  constexpr std::uint64_t kMul2 = 1 + (10000ULL << 32);
  return (((values & kMask) * kMul1) + (((values >> 16) & kMask) * kMul2)) >> 32;
}

// Takes the run of digits at `p` into `digits` (wrapping past 19 digits,
// when the value is not used), eight bytes at a time.
inline const char* takeDigits(const char* p, std::uint64_t& digits) {
  for (;;) {
    std::uint64_t word;
    std::memcpy(&word, p, sizeof word);
    if constexpr (std::endian::native == std::endian::big) word = __builtin_bswap64(word);
    const std::uint64_t values = word ^ 0x3030303030303030ULL;
    const int count = leadingDigitCount(values);
    if (count == 0) return p;
    digits = digits * kDigitPowers[count] + leadingDigitsValue(values, count);
    p += count;
    if (count < 8) return p;
  }
}

}  // namespace detail

// Scans the number that starts at `p`. The bytes must be followed, at the
// latest, by a byte that cannot continue a number, and kScanPadding
// readable bytes after that (the reader keeps a NUL and padding after its
// buffer), so no bound is checked here.
inline ScannedNumber scanNumber(const char* p) {
  ScannedNumber n{p, false, *p == '-', 0, 0, 0};
  if (*p == '+' || *p == '-') ++p;
  std::uint64_t digits = 0;
  const char* const integer = p;
  p = detail::takeDigits(p, digits);
  std::int64_t fractionDigits = 0;
  std::int64_t count = p - integer;
  if (*p == '.') {
    const char* const fraction = ++p;
    p = detail::takeDigits(p, digits);
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
