// The fast conversion against the literal model, on the same bytes, at
// every block size: a difference is a bug in one of the two.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>
#include <random>
#include <string>

#include "random_stack.h"
#include "test_support.h"

namespace brondel {
namespace {

// Converts `ascii` both ways and reports the first disagreement.
void expectSameAsModel(const std::string& ascii, Format format, std::size_t blockSize, std::size_t outputBufferSize) {
  const model::ModelResult expected = model::convertLiterally(ascii, format);
  const test::Converted got = test::convertBytes(ascii, format, blockSize, outputBufferSize);
  if (got.bytes == expected.bytes && got.status == test::expectedStatus(expected.status)) return;
  std::size_t firstDiff = 0;
  while (firstDiff < got.bytes.size() && firstDiff < expected.bytes.size() &&
         got.bytes[firstDiff] == expected.bytes[firstDiff]) {
    ++firstDiff;
  }
  ADD_FAILURE() << "format " << formatName(format) << ", block size " << blockSize << ": output " << got.bytes.size()
                << " bytes vs model " << expected.bytes.size() << ", first difference at byte " << firstDiff
                << ", status " << static_cast<int>(got.status) << " vs model " << static_cast<int>(expected.status)
                << "\ninput (" << ascii.size() << " bytes): " << testing::PrintToString(ascii.substr(0, 400));
}

void expectSameAsModelEverywhere(const std::string& ascii) {
  for (const Format format : test::kBinaryFormats) {
    for (const std::size_t blockSize : test::kBlockSizes) {
      expectSameAsModel(ascii, format, blockSize, blockSize < 8 ? 8 : 4096);
    }
  }
}

TEST(DifferentialTest, FixedStacks) {
  using namespace std::string_literals;
  const std::string header = test::numberedHeader();
  const std::string stacks[] = {
      "",
      "\n",
      header,
      header + "1.5 -2\n",
      header + "1.5 -2",
      header + "1,5 2\n",
      header + "1 1e39 2\n",
      header + "1e-50 2.5e-324 1.4e-45 7e-46 -0\n",
      header + "1e 2\n",
      header + "1e5e5 1.2.3 .5 5. -.5 +.5\n",
      header + "0x1p3 inf nan\n",
      "a 1\nb 2\nc 3\n",
      "a 5 b",
      "a 5 b x 1 2\n",
      "a 5 b 1e39 c 1\n",
      "a\0"
      "1 b 2"s,
      header + "00000000000000000000000000000000000000000000000000000000000000000001.5e-1\n",
      header + "9007199254740993 16777217 0.1 0.2 0.30000000000000004\n",
  };
  for (const std::string& ascii : stacks) expectSameAsModelEverywhere(ascii);
}

TEST(DifferentialTest, RandomStacks) {
  test::RandomStackGenerator generator(0x6272'6f6e'64656cULL);
  int wholeHeaders = 0;
  for (int i = 0; i < 5000; ++i) {
    const std::string ascii = generator.stack(i % 7 == 0 ? 200 : 20);
    expectSameAsModelEverywhere(ascii);
    if (HasFailure()) break;  // one reported input is enough to start from
    if (model::convertLiterally(ascii, Format::Double).status == model::ModelStatus::Complete) ++wholeHeaders;
  }
  // The generator must keep producing stacks whose values are reached.
  EXPECT_GT(wholeHeaders, 2500);
}

// Decimals of up to 19 digits over the whole range of exponents, where the
// conversion works from the gathered digits instead of the text.
TEST(DifferentialTest, ShortDecimalsOverAllExponents) {
  struct Range {
    Format format;
    int lowest;  // the magnitudes run from about 10^lowest to just below overflow
    int highest;
  };
  for (const Range range : {Range{Format::Single, -60, 38}, Range{Format::Double, -345, 308}}) {
    std::mt19937_64 random(19);
    std::string ascii = test::numberedHeader();
    for (int i = 0; i < 30000; ++i) {
      const int digitCount = 1 + static_cast<int>(random() % 19);
      std::string number = random() % 2 == 1 ? "-" : "";
      for (int d = 0; d < digitCount; ++d) number += static_cast<char>('0' + random() % 10);
      const int highestExponent = range.highest - digitCount;  // keeps every value finite
      number += "e" + std::to_string(range.lowest + static_cast<int>(random() % (highestExponent - range.lowest)));
      if (random() % 2 == 1) number.insert(number.find('e') - static_cast<std::size_t>(random() % digitCount), ".");
      ascii += number + (i % 8 == 7 ? "\n" : " ");
    }
    const model::ModelResult expected = model::convertLiterally(ascii, range.format);
    const test::Converted got = test::convertBytes(ascii, range.format);
    const std::size_t width = valueWidth(range.format);
    ASSERT_EQ(expected.bytes.size(), (12 + 30000) * width) << "every value must be read";
    ASSERT_EQ(got.bytes.size(), expected.bytes.size()) << formatName(range.format);
    for (std::size_t at = 0; at < got.bytes.size(); at += width) {
      ASSERT_EQ(got.bytes.substr(at, width), expected.bytes.substr(at, width))
          << formatName(range.format) << " value " << at / width - 12;
    }
  }
}

// Decimals at and next to the points halfway between adjacent binary32
// numbers, where reading through binary64 can round twice the wrong way.
TEST(DifferentialTest, HalfwayPointsOfSinglePrecision) {
  std::mt19937_64 random(7);
  std::string ascii = test::numberedHeader();
  for (int i = 0; i < 20000; ++i) {
    const auto bits = static_cast<std::uint32_t>(random() % 0x7f000000U);
    float low;
    std::memcpy(&low, &bits, sizeof low);
    const double halfway =
        (static_cast<double>(low) + static_cast<double>(std::nextafter(low, std::numeric_limits<float>::infinity()))) /
        2;
    char text[64];
    for (const int digits : {7, 9, 12, 16, 17, 19}) {
      std::snprintf(text, sizeof text, "%.*g\n", digits, halfway);
      ascii += text;
    }
  }
  for (const std::size_t blockSize : {std::size_t{7}, kDefaultBlockSize}) {
    const model::ModelResult expected = model::convertLiterally(ascii, Format::Single);
    const test::Converted got = test::convertBytes(ascii, Format::Single, blockSize);
    ASSERT_EQ(got.bytes.size(), expected.bytes.size());
    for (std::size_t at = 0; at < got.bytes.size(); at += 4) {
      ASSERT_EQ(got.bytes.substr(at, 4), expected.bytes.substr(at, 4)) << "value " << at / 4 - 12;
    }
  }
}

}  // namespace
}  // namespace brondel
