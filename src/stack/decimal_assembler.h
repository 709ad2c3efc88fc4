// Reading of one number byte by byte, in constant memory.
//
// Used where a number does not lie whole in one buffer (it crosses a block
// edge, however many blocks it spans). It keeps
// the first kMaxSignificantDigits significant digits, whether any non-zero
// digit follows them, and the decimal exponent as a 64-bit value that
// saturates; that is enough to round correctly a number of any length,
// since a value halfway between two binary64 numbers has at most 767
// significant digits.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "stack/extracted.h"

namespace brondel {

class DecimalAssembler {
 public:
  static constexpr std::size_t kMaxSignificantDigits = 800;

  // Offers the next byte of the number. Returns false, without taking the
  // byte, when it cannot continue the number; the number ends before it.
  bool feed(char c);

  // Offers a run of bytes; returns how many were taken.
  std::size_t feed(const char* begin, const char* end);

  // The number taken so far, as a value of precision T.
  Extracted<float> toFloat() const;
  Extracted<double> toDouble() const;

  template <class T>
  Extracted<T> to() const;

 private:
  enum class Phase : std::uint8_t { Start, Mantissa, ExponentStart, Exponent };

  void takeMantissaDigit(char digit);
  void takeExponentDigit(char digit);
  bool complete() const;
  // Writes the canonical form "[-]0.DDDe<exp>" into `text`; returns its length.
  std::size_t canonicalText(char* text, std::size_t capacity) const;

  Phase phase_ = Phase::Start;
  bool negative_ = false;
  bool hasMantissaDigit_ = false;
  bool hasPoint_ = false;
  bool negativeExponent_ = false;
  bool hasExponentDigit_ = false;
  bool sticky_ = false;  // a non-zero digit beyond the kept ones
  std::size_t significantCount_ = 0;
  std::int64_t pointShift_ = 0;  // value = 0.DDD x 10^(pointShift_ +- exponent_)
  std::int64_t exponent_ = 0;    // saturates at kExponentCap
  std::array<char, kMaxSignificantDigits> digits_{};
};

template <>
inline Extracted<float> DecimalAssembler::to<float>() const {
  return toFloat();
}
template <>
inline Extracted<double> DecimalAssembler::to<double>() const {
  return toDouble();
}

}  // namespace brondel
