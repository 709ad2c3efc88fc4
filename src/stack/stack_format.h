// The two forms of a stack: the constants both sides of the conversion share.
#pragma once

#include <cstddef>

namespace brondel {

// Number of keyword/number entries that open every ASCII stack; the binary
// stack starts with the same count of numbers.
inline constexpr int kHeaderEntries = 12;

// Output precision chosen on the command line.
enum class Format { Single, Double, Text };

// Byte width of every number in a binary stack of the given format
// (0 for Text, which has no binary form).
constexpr std::size_t valueWidth(Format format) {
  switch (format) {
    case Format::Single: return 4;
    case Format::Double: return 8;
    case Format::Text: return 0;
  }
  return 0;
}

// Name of the format as the user sees it ("single", "double", "text").
constexpr const char* formatName(Format format) {
  switch (format) {
    case Format::Single: return "single";
    case Format::Double: return "double";
    case Format::Text: return "text";
  }
  return "";
}

}  // namespace brondel
