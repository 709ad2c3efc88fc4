#include "stack/decimal_assembler.h"

#include <locale.h>

#include <clocale>
#include <cstdio>
#include <cstdlib>

#include "stack/char_class.h"

namespace brondel {
namespace {

// Far beyond any exponent that still gives a finite non-zero value, and
// small enough that adding a digit count cannot overflow 64 bits.
constexpr std::int64_t kExponentCap = 100'000'000'000'000'000;  // 1e17
// The exponent handed to the C library: beyond it every mantissa of at
// most kMaxSignificantDigits digits overflows or underflows anyway.
constexpr std::int64_t kCanonicalExponentLimit = 100'000;

locale_t classicCLocale() {
  static const locale_t locale = newlocale(LC_ALL_MASK, "C", nullptr);
  return locale;
}

}  // namespace

bool DecimalAssembler::feed(char c) {
  switch (phase_) {
    case Phase::Start:
      phase_ = Phase::Mantissa;
      if (c == '+' || c == '-') {
        negative_ = c == '-';
        return true;
      }
      [[fallthrough]];
    case Phase::Mantissa:
      if (isDigit(static_cast<unsigned char>(c))) {
        takeMantissaDigit(c);
        return true;
      }
      if (c == '.' && !hasPoint_) {
        hasPoint_ = true;
        return true;
      }
      if ((c == 'e' || c == 'E') && hasMantissaDigit_) {
        phase_ = Phase::ExponentStart;
        return true;
      }
      return false;
    case Phase::ExponentStart:
      phase_ = Phase::Exponent;
      if (c == '+' || c == '-') {
        negativeExponent_ = c == '-';
        return true;
      }
      [[fallthrough]];
    case Phase::Exponent:
      if (isDigit(static_cast<unsigned char>(c))) {
        takeExponentDigit(c);
        return true;
      }
      return false;
  }
  return false;
}

std::size_t DecimalAssembler::feed(const char* begin, const char* end) {
  const char* p = begin;
  while (p != end && feed(*p)) ++p;
  return static_cast<std::size_t>(p - begin);
}

void DecimalAssembler::takeMantissaDigit(char digit) {
  hasMantissaDigit_ = true;
  if (significantCount_ == 0 && digit == '0') {
    // A leading zero: after the point it moves the first significant
    // digit one place further right; before it, it changes nothing.
    if (hasPoint_) --pointShift_;
    return;
  }
  if (significantCount_ < kMaxSignificantDigits) {
    digits_[significantCount_++] = digit;
  } else {
    sticky_ = sticky_ || digit != '0';
  }
  if (!hasPoint_) ++pointShift_;
}

void DecimalAssembler::takeExponentDigit(char digit) {
  hasExponentDigit_ = true;
  if (exponent_ < kExponentCap) exponent_ = exponent_ * 10 + (digit - '0');
}

bool DecimalAssembler::complete() const {
  return hasMantissaDigit_ && (phase_ < Phase::ExponentStart || hasExponentDigit_);
}

std::size_t DecimalAssembler::canonicalText(char* text, std::size_t capacity) const {
  std::size_t n = 0;
  if (negative_) text[n++] = '-';
  text[n++] = '0';
  text[n++] = '.';
  if (significantCount_ == 0) {
    text[n++] = '0';
    text[n] = '\0';
    return n;
  }
  for (std::size_t i = 0; i < significantCount_; ++i) text[n++] = digits_[i];
  // One non-zero digit past the kept ones stands for the whole dropped
  // tail: it lies strictly between the same two rounding boundaries.
  if (sticky_) text[n++] = '1';
  std::int64_t exponent = pointShift_ + (negativeExponent_ ? -exponent_ : exponent_);
  if (exponent > kCanonicalExponentLimit) exponent = kCanonicalExponentLimit;
  if (exponent < -kCanonicalExponentLimit) exponent = -kCanonicalExponentLimit;
  const int written = std::snprintf(text + n, capacity - n, "e%lld", static_cast<long long>(exponent));
  return n + static_cast<std::size_t>(written);
}

Extracted<float> DecimalAssembler::toFloat() const {
  if (!complete()) return {0.0F, false};
  std::array<char, kMaxSignificantDigits + 32> text{};
  canonicalText(text.data(), text.size());
  return fromRoundedResult(strtof_l(text.data(), nullptr, classicCLocale()));
}

Extracted<double> DecimalAssembler::toDouble() const {
  if (!complete()) return {0.0, false};
  std::array<char, kMaxSignificantDigits + 32> text{};
  canonicalText(text.data(), text.size());
  return fromRoundedResult(strtod_l(text.data(), nullptr, classicCLocale()));
}

}  // namespace brondel
