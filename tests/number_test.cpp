// The extent of a number, and the rounding of numbers read byte by byte.
#include <gtest/gtest.h>
#include <locale.h>

#include <bit>
#include <clocale>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <random>
#include <string>

#include "stack/decimal_assembler.h"
#include "stack/number_grammar.h"

namespace brondel {
namespace {

struct ExtentCase {
  const char* text;
  int taken;  // bytes that belong to the number
  bool complete;
};

void PrintTo(const ExtentCase& c, std::ostream* os) { *os << '"' << c.text << '"'; }

class NumberExtentTest : public testing::TestWithParam<ExtentCase> {};

TEST_P(NumberExtentTest, TakesLongestNumberPrefix) {
  const ExtentCase& c = GetParam();
  const std::string text = c.text;
  const std::string padded = text + '\0';
  const ScannedNumber scanned = scanNumber(padded.c_str());
  EXPECT_EQ(scanned.end - padded.c_str(), c.taken) << c.text;
  EXPECT_EQ(scanned.complete, c.complete) << c.text;

  // The byte-by-byte reader must stop at the same byte.
  DecimalAssembler assembler;
  EXPECT_EQ(assembler.feed(text.data(), text.data() + text.size()), static_cast<std::size_t>(c.taken)) << c.text;
}

INSTANTIATE_TEST_SUITE_P(
    Grammar, NumberExtentTest,
    testing::Values(ExtentCase{"100", 3, true}, ExtentCase{"-25", 3, true}, ExtentCase{"+0.25", 5, true},
                    ExtentCase{"1.5e-3", 6, true}, ExtentCase{"2E+10", 5, true}, ExtentCase{".5", 2, true},
                    ExtentCase{"5.", 2, true}, ExtentCase{"1,5", 1, true}, ExtentCase{",5", 0, false},
                    ExtentCase{".", 1, false}, ExtentCase{"-", 1, false}, ExtentCase{"+-5", 1, false},
                    ExtentCase{"1e", 2, false}, ExtentCase{"1e+", 3, false}, ExtentCase{"1ex", 2, false},
                    ExtentCase{"1e+x", 3, false}, ExtentCase{".e5", 1, false}, ExtentCase{"1e5e6", 3, true},
                    ExtentCase{"1e5.5", 3, true}, ExtentCase{"1.2.3", 3, true}, ExtentCase{"0x1p3", 1, true},
                    ExtentCase{"inf", 0, false}, ExtentCase{"nan", 0, false}, ExtentCase{"1e-+5", 3, false},
                    ExtentCase{"00.e2", 5, true}, ExtentCase{"abc", 0, false}));

locale_t cLocale() {
  static const locale_t locale = newlocale(LC_ALL_MASK, "C", nullptr);
  return locale;
}

template <class T>
T strtoT(const std::string& text) {
  if constexpr (std::is_same_v<T, float>) {
    return strtof_l(text.c_str(), nullptr, cLocale());
  } else {
    return strtod_l(text.c_str(), nullptr, cLocale());
  }
}

// The assembler keeps a bounded number of digits; it must round every
// number exactly as the C library rounds the full text.
template <class T>
void expectAssemblerMatchesCLibrary(const std::string& text) {
  DecimalAssembler assembler;
  ASSERT_EQ(assembler.feed(text.data(), text.data() + text.size()), text.size()) << text.substr(0, 60);
  using Bits = std::conditional_t<sizeof(T) == 4, std::uint32_t, std::uint64_t>;
  const Extracted<T> got = assembler.to<T>();
  const T reference = strtoT<T>(text);
  if (std::isinf(reference)) {
    EXPECT_FALSE(got.ok);
    EXPECT_EQ(got.value, std::copysign(std::numeric_limits<T>::max(), reference));
  } else {
    EXPECT_TRUE(got.ok);
    EXPECT_EQ(std::bit_cast<Bits>(got.value), std::bit_cast<Bits>(reference))
        << text.substr(0, 80) << " (" << text.size() << " bytes): " << got.value << " vs " << reference;
  }
}

TEST(DecimalAssemblerTest, RoundsLikeCLibraryOnHardCases) {
  const std::string zeros900(900, '0');
  const std::string halfwayToSmallestSubnormal =
      "2.47032822920623272088284396434110686182529901307162382212792841250337753635104375932649918180817996189898"
      "2823e-324";
  const std::string cases[] = {
      "9007199254740993",                          // 2^53 + 1: halfway, ties to even
      "9007199254740993" + zeros900 + "1",         // just above halfway, far beyond the kept digits
      "9007199254740993" + zeros900,               // exactly halfway with trailing zeros
      "9007199254740992.99999999999999999999999",  // just below
      "16777217",
      "16777217" + zeros900 + "1",  // the same for binary32
      "0." + zeros900 + "15e900",
      "00000.00001e5",
      "0.000",
      halfwayToSmallestSubnormal,
      "4.9406564584124654e-324",
      "2.2250738585072011e-308",
      "1.7976931348623157e308",
      "1.7976931348623158e308",  // rounds to the largest finite value
      "1.7976931348623159e308",  // overflows
      "3.4028235e38",
      "3.40282357e38",
      "1.40129846e-45",
      "7e-46",
      "-0",
      "-1e-400",
      "1e400",
      "1e99999999999999999999999999",
      "1e-99999999999999999999999999",
      "0e99999999999999999999999999",
  };
  for (const std::string& text : cases) {
    expectAssemblerMatchesCLibrary<double>(text);
    expectAssemblerMatchesCLibrary<float>(text);
  }
}

TEST(DecimalAssemblerTest, RoundsLikeCLibraryOnRandomLongNumbers) {
  std::mt19937_64 random(20261211);
  for (int i = 0; i < 3000; ++i) {
    std::string text;
    if (random() % 2 == 1) text += '-';
    const int intDigits = static_cast<int>(random() % 40);
    const int fracDigits = static_cast<int>(random() % 1200);
    const int leadingZeros = static_cast<int>(random() % 30);
    for (int d = 0; d < intDigits; ++d) text += static_cast<char>('0' + random() % 10);
    text += '.';
    text.append(static_cast<std::size_t>(leadingZeros), '0');
    // Mostly 9s or 0s after a start, so that many cases sit near a rounding boundary.
    for (int d = 0; d < fracDigits; ++d) {
      const auto r = random() % 10;
      text += static_cast<char>(r < 4 ? '0' : r < 8 ? '9' : '0' + random() % 10);
    }
    if (intDigits + fracDigits == 0) text += '7';
    text += 'e' + std::to_string(static_cast<int>(random() % 700) - 350);
    expectAssemblerMatchesCLibrary<double>(text);
    expectAssemblerMatchesCLibrary<float>(text);
  }
}

TEST(DecimalAssemblerTest, IncompleteTextStoresZeroAndFails) {
  for (const char* text : {"", "-", "+", ".", "1e", "1e+", "-.e"}) {
    DecimalAssembler assembler;
    assembler.feed(text, text + std::strlen(text));
    const Extracted<double> got = assembler.toDouble();
    EXPECT_FALSE(got.ok) << text;
    EXPECT_EQ(got.value, 0.0) << text;
  }
}

}  // namespace
}  // namespace brondel
