// Conversion of short decimals whose result a single floating-point
// operation gives exactly, correctly rounded: digits x 10^e with at most
// 53 significant bits and |e| <= 22, where both operands are exact doubles.
#pragma once

#include <bit>
#include <cmath>
#include <cstdint>

namespace brondel {

inline constexpr double kExactPowersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                                               1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

// Sets `out` to the correctly rounded binary64 of digits x 10^exponent10
// and returns true, or returns false when no single exact operation gives it.
inline bool exactDecimalToDouble(std::uint64_t digits, std::int64_t exponent10, bool negative, double& out) {
  if (digits > (std::uint64_t{1} << 53) || exponent10 < -22 || exponent10 > 22) {
    if (digits != 0) return false;
    exponent10 = 0;  // zero with any exponent is zero
  }
  double value = static_cast<double>(digits);
  value = exponent10 < 0 ? value / kExactPowersOfTen[-exponent10] : value * kExactPowersOfTen[exponent10];
  out = std::bit_cast<double>(std::bit_cast<std::uint64_t>(value) | (static_cast<std::uint64_t>(negative) << 63));
  return true;
}

// The same for binary32, through the correctly rounded binary64. Rounding
// twice gives the correctly rounded binary32 unless the binary64 lies
// exactly halfway between two binary32 numbers (the exact value may then
// lie on either side); such values, and those outside the normal binary32
// range, are left to the general parser.
inline bool exactDecimalToFloat(std::uint64_t digits, std::int64_t exponent10, bool negative, float& out) {
  double wide = 0;
  if (!exactDecimalToDouble(digits, exponent10, negative, wide)) return false;
  const double magnitude = std::fabs(wide);
  if (magnitude != 0 && !(magnitude >= 0x1p-126 && magnitude <= 0x1.fffffep127)) return false;
  // 52 - 23 = 29 fraction bits fall away; exactly 1 then 28 zeros is a tie.
  constexpr std::uint64_t kDropped = (std::uint64_t{1} << 29) - 1;
  if ((std::bit_cast<std::uint64_t>(wide) & kDropped) == (std::uint64_t{1} << 28)) return false;
  out = static_cast<float>(wide);
  return true;
}

}  // namespace brondel
