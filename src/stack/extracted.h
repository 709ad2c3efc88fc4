// The outcome of reading one number, with the value the reader stores.
#pragma once

#include <cmath>
#include <limits>

namespace brondel {

// `ok` is false when the bytes taken are no valid number in precision T.
// The value is what a failed read still stores: 0 for text that does not
// convert, the largest finite value of its sign for a magnitude too large.
template <class T>
struct Extracted {
  T value;
  bool ok;
};

// Turns a correctly rounded conversion result into the stored outcome: an
// overflow fails and stores the largest finite value of its sign; an
// underflow (zero or a subnormal) is an ordinary value.
template <class T>
Extracted<T> fromRoundedResult(T rounded) {
  if (std::isinf(rounded)) {
    const T largest = std::numeric_limits<T>::max();
    return {std::signbit(rounded) ? -largest : largest, false};
  }
  return {rounded, true};
}

}  // namespace brondel
