// Seeded random ASCII stacks built from pieces that stress the reader.
#pragma once

#include <cstdint>
#include <random>
#include <string>
#include <string_view>

namespace brondel::test {

class RandomStackGenerator {
 public:
  explicit RandomStackGenerator(std::uint64_t seed) : random_(seed) {}

  // A stack of twelve header entries and up to `maxValues` values, with
  // occasional broken pieces, odd white space, a missing final line end
  // or a cut at any byte.
  std::string stack(int maxValues) {
    std::string text = chance(10) ? space() : "";
    // Most headers are whole, so that the values behind them get read.
    const bool breakHeader = chance(4);
    for (int entry = 0; entry < 12; ++entry) {
      text += chance(10) ? oddPiece() : keyword();
      text += space();
      if (breakHeader) {
        text += chance(6) ? oddPiece() : number();
      } else {
        text += digits(1 + below(4)) + (chance(2) ? "." + digits(below(3)) : "");
      }
      text += space();
    }
    const int values = static_cast<int>(below(static_cast<std::uint64_t>(maxValues) + 1));
    for (int i = 0; i < values; ++i) {
      text += chance(30) ? oddPiece() : number();
      // Now and then no white space at all: the next piece starts where the number stops.
      if (!chance(15)) text += space();
    }
    if (chance(4)) {
      while (!text.empty() && (text.back() == '\n' || text.back() == ' ')) text.pop_back();
    }
    if (chance(6) && !text.empty()) text.resize(below(text.size() + 1));
    return text;
  }

  std::string number() {
    std::string text;
    if (chance(3)) text += chance(2) ? '-' : '+';
    switch (below(6)) {
      case 0: text += digits(1 + below(6)); break;
      case 1: text += digits(below(8)) + "." + digits(below(10)); break;
      case 2: text += digits(1 + below(3)) + "." + digits(below(12)) + exponent(); break;
      case 3: text += std::string(below(6), '0') + digits(1 + below(25)) + exponent(); break;
      case 4: text += "." + digits(1 + below(8)); break;
      default: text += digits(1 + below(40)) + "." + digits(below(60)) + exponent(); break;
    }
    return text;
  }

 private:
  std::uint64_t below(std::uint64_t n) { return n == 0 ? 0 : random_() % n; }
  bool chance(std::uint64_t oneIn) { return below(oneIn) == 0; }

  std::string digits(std::uint64_t count) {
    std::string text;
    for (std::uint64_t i = 0; i < count; ++i) text += static_cast<char>('0' + below(10));
    return text;
  }

  std::string exponent() {
    if (chance(3)) return "";
    std::string text(1, chance(2) ? 'e' : 'E');
    if (chance(2)) text += chance(2) ? '-' : '+';
    // Mostly small, sometimes at the edges of both precisions, now and then missing.
    static constexpr const char* kExponents[] = {"0",   "1",   "2",   "5",   "10",         "37",  "38",
                                                 "39",  "44",  "45",  "46",  "307",        "308", "309",
                                                 "323", "324", "325", "400", "9999999999", ""};
    text += kExponents[below(std::size(kExponents))];
    return text;
  }

  std::string keyword() {
    static constexpr std::string_view kKeywords[] = {"ns", "nr", "dt", "x0", "7", "-", "1e", "key_word", "\xC3\xA9"};
    return std::string(kKeywords[below(std::size(kKeywords))]);
  }

  std::string oddPiece() {
    using namespace std::string_view_literals;
    static constexpr std::string_view kPieces[] = {",5",
                                                   "1,5",
                                                   "1e39",
                                                   "-1e39",
                                                   "1e-50",
                                                   "3.4028236e38",
                                                   "3.4028234e38",
                                                   "1e309",
                                                   "-1e-400",
                                                   "inf",
                                                   "nan",
                                                   "0x1p3",
                                                   "..",
                                                   ".",
                                                   "-",
                                                   "+-1",
                                                   "1e",
                                                   "1e+",
                                                   "1e5e5",
                                                   "1.2.3",
                                                   "end",
                                                   "E5",
                                                   ".e1",
                                                   "1.e1",
                                                   "-.5",
                                                   "+.5",
                                                   "00.0",
                                                   "\0"
                                                   "1"sv,
                                                   "\x80\xff",
                                                   "1\0"
                                                   "2"sv,
                                                   "7e-46",
                                                   "1.4e-45",
                                                   "2.5e-324"};
    return std::string(kPieces[below(std::size(kPieces))]);
  }

  std::string space() {
    static constexpr char kSpace[] = {' ', '\t', '\n', '\v', '\f', '\r'};
    std::string text;
    const std::uint64_t count = chance(4) ? 1 + below(6) : 1;
    for (std::uint64_t i = 0; i < count; ++i) text += chance(2) ? ' ' : kSpace[below(std::size(kSpace))];
    return text;
  }

  std::mt19937_64 random_;
};

}  // namespace brondel::test
