// Byte classes of the classic locale, as a table for the scanning loops.
#pragma once

#include <array>
#include <cstdint>

namespace brondel {

// White space is exactly space, \t, \n, \v, \f and \r; every other byte,
// NUL and bytes above 0x7F included, is an ordinary character.
constexpr bool isSpace(unsigned char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

constexpr bool isDigit(unsigned char c) { return c >= '0' && c <= '9'; }

inline constexpr std::array<bool, 256> kSpaceTable = [] {
  std::array<bool, 256> table{};
  for (int c = 0; c < 256; ++c) table[c] = isSpace(static_cast<unsigned char>(c));
  return table;
}();

inline bool isSpaceByte(char c) { return kSpaceTable[static_cast<unsigned char>(c)]; }

}  // namespace brondel
