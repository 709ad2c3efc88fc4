#include "stack_generator.h"

#include <charconv>
#include <cmath>
#include <random>
#include <string>

namespace brondel::bench {
namespace {

class ValueWriter {
 public:
  ValueWriter(ValueStyle style, std::uint64_t seed) : style_(style), random_(seed) {}

  // Appends one value's text to `line`.
  void append(std::string& line, std::uint64_t index) {
    char text[64];
    char* const last = text + sizeof text;
    const std::uint64_t r = random_();
    char* end = text;
    switch (kindOf(index)) {
      case Kind::Fixed:  // 6715.302078
        end = std::to_chars(text, last, uniform(r) * 10000.0, std::chars_format::fixed, 6).ptr;
        break;
      case Kind::Scientific:  // 1.0696138e-01
        end = std::to_chars(text, last, uniform(r) * decade(random_() % 11, 5), std::chars_format::scientific, 7).ptr;
        break;
      case Kind::Integer:  // -27996
        end = std::to_chars(text, last, static_cast<long>(r % 199999) - 99999).ptr;
        break;
      case Kind::Long:  // -3.1415926535897931e+02
        end = std::to_chars(text, last, uniform(r) * decade(random_() % 41, 20), std::chars_format::scientific, 16).ptr;
        break;
    }
    line.append(text, end);
  }

 private:
  enum class Kind { Fixed, Scientific, Integer, Long };

  Kind kindOf(std::uint64_t index) const {
    switch (style_) {
      case ValueStyle::Integers: return Kind::Integer;
      case ValueStyle::Long: return Kind::Long;
      case ValueStyle::Mixed: break;
    }
    static constexpr Kind kMixed[] = {Kind::Fixed, Kind::Scientific, Kind::Integer};
    return kMixed[index % 3];
  }

  // 10^(k - offset).
  static double decade(std::uint64_t k, int offset) { return std::pow(10.0, static_cast<double>(k) - offset); }

  // A value in (-1, 1) from 53 random bits.
  static double uniform(std::uint64_t r) { return static_cast<double>(r >> 11) * 0x1p-52 - 1.0; }

  ValueStyle style_;
  std::mt19937_64 random_;
};

}  // namespace

bool parseValueStyle(std::string_view name, ValueStyle& style) {
  if (name == "mixed") {
    style = ValueStyle::Mixed;
  } else if (name == "integers") {
    style = ValueStyle::Integers;
  } else if (name == "long") {
    style = ValueStyle::Long;
  } else {
    return false;
  }
  return true;
}

std::int64_t writeStack(std::FILE* out, std::uint64_t values, ValueStyle style, std::uint64_t seed) {
  static constexpr const char* kKeywords[] = {"ns", "nr", "nt", "dt",  "dx",  "dy",
                                              "x0", "y0", "z0", "nsx", "nsy", "ntr"};
  std::string chunk;
  for (int k = 0; k < 12; ++k) chunk += std::string(kKeywords[k]) + " " + std::to_string(100 + k * 7) + "\n";
  ValueWriter writer(style, seed);
  std::int64_t written = 0;
  for (std::uint64_t i = 0; i < values; ++i) {
    writer.append(chunk, i);
    chunk += (i % 8 == 7 || i + 1 == values) ? '\n' : ' ';
    if (chunk.size() >= (1U << 20)) {
      if (std::fwrite(chunk.data(), 1, chunk.size(), out) != chunk.size()) return -1;
      written += static_cast<std::int64_t>(chunk.size());
      chunk.clear();
    }
  }
  if (std::fwrite(chunk.data(), 1, chunk.size(), out) != chunk.size()) return -1;
  written += static_cast<std::int64_t>(chunk.size());
  return std::fflush(out) == 0 ? written : -1;
}

}  // namespace brondel::bench
