// The conversion on hand-made stacks, checked byte for byte at every block size.
#include <gtest/gtest.h>

#include <limits>
#include <string>

#include "io/byte_stream.h"
#include "test_support.h"

namespace brondel {
namespace {

using test::binaryOf;
using test::convertBytes;
using test::numberedHeader;

constexpr double kFloatMax = std::numeric_limits<float>::max();

struct StackCase {
  const char* name;
  std::string ascii;
  Format format;
  std::string expected;
  ConversionStatus status;
};

std::string header12() { return binaryOf(Format::Double, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}); }

std::vector<StackCase> stackCases() {
  const std::string header = numberedHeader();
  const auto headerThen = [](Format f, std::initializer_list<double> values) {
    std::string bytes = binaryOf(f, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12});
    return bytes + binaryOf(f, values);
  };
  std::vector<StackCase> cases = {
      {"WorkedExampleSingle", header + "1.5 -2\n", Format::Single, headerThen(Format::Single, {1.5, -2}),
       ConversionStatus::Complete},
      {"WorkedExampleDouble", header + "1.5 -2\n", Format::Double, headerThen(Format::Double, {1.5, -2}),
       ConversionStatus::Complete},
      {"AllOnOneLine", "a 1 b 2 c 3 d 4 e 5 f 6 g 7 h 8 i 9 j 10 k 11 l 12 1.5 -2\n", Format::Double,
       headerThen(Format::Double, {1.5, -2}), ConversionStatus::Complete},
      {"CarriageReturnsAndAllWhiteSpace",
       "\r\n a\t1\r\nb\v2\fc 3\r\nd 4 e 5 f 6 g 7 h 8 i 9 j 10 k 11 l 12\r\n1.5\t\v\f\r\n-2\r\n", Format::Double,
       headerThen(Format::Double, {1.5, -2}), ConversionStatus::Complete},
      {"NumberLikeKeyword", "7 3\n" + header.substr(5), Format::Double,
       binaryOf(Format::Double, {3, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}), ConversionStatus::Complete},
      {"HeaderOnly", header, Format::Single, binaryOf(Format::Single, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}),
       ConversionStatus::Complete},
      {"TrailingWordEndsValues", header + "1 2 3 end 4 5\n", Format::Double, headerThen(Format::Double, {1, 2, 3}),
       ConversionStatus::Complete},
      {"CommaIsNoDecimalPoint", header + "2 1,5 7\n", Format::Double, headerThen(Format::Double, {2, 1}),
       ConversionStatus::Complete},
      {"TooLargeForSingleEndsValues", header + "1 1e39 2\n", Format::Single, headerThen(Format::Single, {1}),
       ConversionStatus::Complete},
      {"TooLargeForSingleIsFineForDouble", header + "1 1e39 2\n", Format::Double,
       headerThen(Format::Double, {1, 1e39, 2}), ConversionStatus::Complete},
      {"UnderflowIsAValue", header + "1e-50 -1e-400\n", Format::Single, headerThen(Format::Single, {0, -0.0}),
       ConversionStatus::Complete},
      {"LastValueAtEndOfInputIsKept", header + "1.5 -2", Format::Double, headerThen(Format::Double, {1.5, -2}),
       ConversionStatus::Complete},
      {"LastHeaderNumberAtEndOfInput", header.substr(0, header.size() - 1), Format::Double, header12(),
       ConversionStatus::Complete},
      {"ValueSplitByIncompleteExponentEnds", header + "1 2e+ 3\n", Format::Double, headerThen(Format::Double, {1}),
       ConversionStatus::Complete},
      // Short or broken headers: twelve numbers, repeats included, and the status says so.
      {"ThreeHeaderEntriesRepeatTheLast", "a 1\nb 2\nc 3\n", Format::Double,
       binaryOf(Format::Double, {1, 2, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3}), ConversionStatus::IncompleteHeader},
      {"EmptyInputIsTwelveZeros", "", Format::Single, binaryOf(Format::Single, {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}),
       ConversionStatus::IncompleteHeader},
      {"WhiteSpaceOnlyIsTwelveZeros", " \n\t\r\n", Format::Double,
       binaryOf(Format::Double, {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}), ConversionStatus::IncompleteHeader},
      {"KeywordWithoutNumber", "a 5 b", Format::Double, binaryOf(Format::Double, {5, 5, 5, 5, 5, 5, 5, 5, 5, 5, 5, 5}),
       ConversionStatus::IncompleteHeader},
      {"WordInPlaceOfHeaderNumberStoresZero", "a 5 b x 1 2\n", Format::Double,
       binaryOf(Format::Double, {5, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}), ConversionStatus::IncompleteHeader},
      {"OversizedHeaderNumberStoresLargest", "a 5 b 1e39 c 1\n", Format::Single,
       binaryOf(Format::Single, {5, kFloatMax, kFloatMax, kFloatMax, kFloatMax, kFloatMax, kFloatMax, kFloatMax,
                                 kFloatMax, kFloatMax, kFloatMax, kFloatMax}),
       ConversionStatus::IncompleteHeader},
  };
  return cases;
}

class ConvertStackTest : public testing::TestWithParam<std::size_t> {};

TEST_P(ConvertStackTest, HandMadeStacks) {
  for (const StackCase& c : stackCases()) {
    const test::Converted got = convertBytes(c.ascii, c.format, GetParam());
    EXPECT_EQ(got.bytes, c.expected) << c.name;
    EXPECT_EQ(got.status, c.status) << c.name;
  }
}

TEST_P(ConvertStackTest, IntegerHeaderNumberIsStoredAsFloatingPoint) {
  const std::string ascii = "n 100\n" + numberedHeader().substr(5);
  EXPECT_EQ(convertBytes(ascii, Format::Single, GetParam()).bytes.substr(0, 4), std::string("\x00\x00\xC8\x42", 4));
  EXPECT_EQ(convertBytes(ascii, Format::Double, GetParam()).bytes.substr(0, 8),
            std::string("\x00\x00\x00\x00\x00\x00\x59\x40", 8));
}

INSTANTIATE_TEST_SUITE_P(BlockSizes, ConvertStackTest, testing::ValuesIn(test::kBlockSizes));

// A sink that accepts `limit` bytes and then fails every write.
class FailingSink final : public io::ByteSink {
 public:
  explicit FailingSink(std::size_t limit) : limit_(limit) {}
  bool write(const char* data, std::size_t size) override {
    if (accepted.size() + size > limit_) return false;
    accepted.append(data, size);
    return true;
  }
  std::string accepted;

 private:
  std::size_t limit_;
};

TEST(ConvertStackFailures, WriteErrorIsReportedAndStopsReading) {
  std::string ascii = numberedHeader();
  for (int i = 0; i < 1000; ++i) ascii += "1.25\n";
  io::MemorySource source(ascii);
  FailingSink sink(200);
  const ConversionResult result = convertStack(source, sink, Format::Double, {64, 16});
  EXPECT_EQ(result.status, ConversionStatus::WriteError);
  EXPECT_LE(sink.accepted.size(), 200U);
}

// A source that delivers `good` bytes and then fails.
class FailingSource final : public io::ByteSource {
 public:
  FailingSource(std::string bytes, std::size_t good) : bytes_(std::move(bytes)), good_(good) {}
  std::int64_t read(char* buffer, std::size_t capacity) override {
    if (offset_ >= good_) return -1;
    const std::size_t n = std::min(capacity, good_ - offset_);
    std::memcpy(buffer, bytes_.data() + offset_, n);
    offset_ += n;
    return static_cast<std::int64_t>(n);
  }

 private:
  std::string bytes_;
  std::size_t good_;
  std::size_t offset_ = 0;
};

TEST(ConvertStackFailures, ReadErrorKeepsValuesBeforeItAndDropsTheCutOne) {
  const std::string ascii = numberedHeader() + "1.5 2.5 3.25e10\n";
  const std::size_t cut = ascii.find("3.25") + 3;  // inside the third value
  for (const std::size_t blockSize : test::kBlockSizes) {
    FailingSource source(ascii, cut);
    io::StringSink sink;
    const ConversionResult result = convertStack(source, sink, Format::Double, {blockSize, 64});
    EXPECT_EQ(result.status, ConversionStatus::ReadError) << blockSize;
    EXPECT_EQ(sink.bytes, header12() + binaryOf(Format::Double, {1.5, 2.5})) << blockSize;
  }
}

TEST(ConvertStackFailures, ReadErrorOutranksIncompleteHeader) {
  FailingSource source("a 1 b", 5);
  io::StringSink sink;
  EXPECT_EQ(convertStack(source, sink, Format::Single).status, ConversionStatus::ReadError);
}

}  // namespace
}  // namespace brondel
