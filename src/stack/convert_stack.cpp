#include "stack/convert_stack.h"

#include <fast_float/fast_float.h>

#include <algorithm>
#include <bit>
#include <charconv>
#include <cstring>
#include <type_traits>

#include "io/input_buffer.h"
#include "io/output_buffer.h"
#include "stack/char_class.h"
#include "stack/decimal_assembler.h"
#include "stack/exact_decimal.h"
#include "stack/number_grammar.h"
#include "stack/short_decimal.h"

namespace brondel {
namespace {

bool exactDecimal(const ScannedNumber& n, float& out) {
  return exactDecimalToFloat(n.digits, n.exponent10, n.negative, out);
}
bool exactDecimal(const ScannedNumber& n, double& out) {
  return exactDecimalToDouble(n.digits, n.exponent10, n.negative, out);
}

// True, with `out` set, for the common number: short enough to be exact
// in one floating-point operation.
template <class T>
bool convertExactly(const ScannedNumber& n, T& out) {
  return n.complete && n.digitCount <= kMaxExactDigits && exactDecimal(n, out);
}

// Converts any other number scanNumber() took, lying whole in memory from
// `begin`: from its digits when they are few, else from its text. Both
// round correctly and give infinity on overflow, which a stream reading
// reports as a failure.
template <class T>
[[gnu::noinline]] Extracted<T> convertInGeneral(const char* begin, const ScannedNumber& n) {
  if (!n.complete) return {T{0}, false};
  T value{};
  if (n.digitCount <= kMaxExactDigits && roundShortDecimal(n.digits, n.exponent10, n.negative, value)) {
    return fromRoundedResult(value);
  }
  const char* const digits = *begin == '+' ? begin + 1 : begin;
  const auto parsed = fast_float::from_chars(digits, n.end, value);
  if (parsed.ec == std::errc() && parsed.ptr == n.end) return fromRoundedResult(value);
  DecimalAssembler assembler;  // not reached for text the grammar took; kept as the safe answer
  assembler.feed(begin, n.end);
  return assembler.to<T>();
}

template <class T>
Extracted<T> convertTaken(const char* begin, const ScannedNumber& n) {
  T value{};
  if (convertExactly(n, value)) return {value, true};
  return convertInGeneral<T>(begin, n);
}

// Stores the IEEE 754 bytes of `value`, least significant first.
template <class T>
void storeLittleEndian(char* to, T value) {
  static_assert(std::is_same_v<T, float> || std::is_same_v<T, double>);
  std::memcpy(to, &value, sizeof value);
  if constexpr (std::endian::native == std::endian::big) std::reverse(to, to + sizeof value);
}

template <class T>
void appendLittleEndian(io::OutputBuffer& out, T value) {
  char bytes[sizeof value];
  storeLittleEndian(bytes, value);
  out.append(bytes, sizeof value);
}

// The reading state mirrors a formatted input stream: once the end of the
// input was reached, an extraction failed or a read failed, every later
// extraction fails without reading.
template <class T>
class StackConverter {
 public:
  StackConverter(io::ByteSource& source, io::ByteSink& sink, const ConversionOptions& options)
      : in_(source, options.blockSize), out_(sink, options.outputBufferSize) {}

  ConversionResult run() {
    const bool headerWhole = transferHeader();
    if (!readFailed_ && !out_.failed()) transferValues();
    const bool written = out_.flush();
    ConversionStatus status = ConversionStatus::Complete;
    if (!written) {
      status = ConversionStatus::WriteError;
    } else if (readFailed_) {
      status = ConversionStatus::ReadError;
    } else if (!headerWhole) {
      status = ConversionStatus::IncompleteHeader;
    }
    return {status, valuesWritten_};
  }

 private:
  bool good() const { return !atEnd_ && !failed_ && !readFailed_; }

  // Twelve keyword/number entries; every entry writes the holder, so a
  // short header repeats the last number read (or zero if there was none).
  bool transferHeader() {
    T holder{0};
    for (int entry = 0; entry < kHeaderEntries; ++entry) {
      extractWord();
      extractNumber(holder);
      if (readFailed_ || out_.failed()) return false;
      appendLittleEndian(out_, holder);
    }
    return !failed_;
  }

  // The hot loop keeps the input and output positions in locals and
  // handles every number that lies whole in the block; a number or white
  // space that reaches the block's end goes through the general
  // extraction, which refills.
  void transferValues() {
    T value{};
    while (good()) {
      const char* const stop = transferValuesInBlock(value);
      in_.advanceTo(stop);
      if (!good() || out_.failed()) return;
      if (!extractNumber(value)) return;
      appendLittleEndian(out_, value);
      ++valuesWritten_;
      if (out_.failed()) return;
    }
  }

  // Converts numbers from the block's current position; returns where it
  // stopped: at the block's end, or after an invalid number (failed_ set).
  const char* transferValuesInBlock(T& value) {
    const char* p = in_.pos();
    const char* const end = in_.end();
    char* o = out_.cursor();
    char* oLimit = out_.limit();
    std::uint64_t count = 0;
    for (;;) {
      while (isSpaceByte(*p)) ++p;
      if (p == end) break;
      const ScannedNumber n = scanNumber(p);
      if (n.end == end) break;
      if (!convertExactly(n, value)) {
        const Extracted<T> general = convertInGeneral<T>(p, n);
        if (!general.ok) {
          p = n.end;
          failed_ = true;
          break;
        }
        value = general.value;
      }
      p = n.end;
      if (static_cast<std::size_t>(oLimit - o) < sizeof(T)) {
        out_.commit(o);
        if (!out_.flush()) break;
        o = out_.cursor();
        oLimit = out_.limit();
      }
      storeLittleEndian(o, value);
      o += sizeof(T);
      ++count;
    }
    out_.commit(o);
    valuesWritten_ += count;
    return p;
  }

  // Skips white space, crossing blocks. False when the input ends first
  // (or a read fails); the end flags are then set.
  bool skipSpace() {
    for (;;) {
      const char* p = in_.pos();
      while (isSpaceByte(*p)) ++p;
      in_.advanceTo(p);
      if (p != in_.end()) return true;
      if (!refill()) {
        failed_ = true;
        return false;
      }
    }
  }

  bool refill() {
    if (in_.refill()) return true;
    if (in_.readError()) {
      readFailed_ = true;
    } else {
      atEnd_ = true;
    }
    return false;
  }

  void extractWord() {
    if (!good() || !skipSpace()) {
      failed_ = true;
      return;
    }
    for (;;) {
      const char* p = in_.pos();
      const char* const end = in_.end();
      while (p != end && !isSpaceByte(*p)) ++p;
      in_.advanceTo(p);
      if (p != end || !refill()) return;
    }
  }

  // Reads one number into `holder`, which keeps its value when nothing
  // could be read; a number that does not convert stores what the failed
  // conversion gave. Returns true for a valid number.
  bool extractNumber(T& holder) {
    if (!good() || !skipSpace()) {
      failed_ = true;
      return false;
    }
    const ScannedNumber taken = scanNumber(in_.pos());
    Extracted<T> result{};
    if (taken.end != in_.end()) {
      result = convertTaken<T>(in_.pos(), taken);
      in_.advanceTo(taken.end);
    } else if (!assembleAcrossBlocks(result)) {
      return false;
    }
    holder = result.value;
    if (!result.ok) failed_ = true;
    return result.ok;
  }

  // The number reaches the end of the block: feed it byte by byte to the
  // assembler through as many blocks as it spans. False on a read error.
  bool assembleAcrossBlocks(Extracted<T>& result) {
    DecimalAssembler assembler;
    for (;;) {
      const char* const begin = in_.pos();
      const char* const end = in_.end();
      const char* const stop = begin + assembler.feed(begin, end);
      in_.advanceTo(stop);
      if (stop != end) break;
      if (!refill()) {
        if (readFailed_) {
          failed_ = true;
          return false;
        }
        break;
      }
    }
    result = assembler.to<T>();
    return true;
  }

  io::InputBuffer in_;
  io::OutputBuffer out_;
  bool atEnd_ = false;       // the input ended
  bool failed_ = false;      // an extraction failed
  bool readFailed_ = false;  // a read failed
  std::uint64_t valuesWritten_ = 0;
};

}  // namespace

ConversionResult convertStack(io::ByteSource& input, io::ByteSink& output, Format format,
                              const ConversionOptions& options) {
  switch (format) {
    case Format::Single: return StackConverter<float>(input, output, options).run();
    case Format::Double: return StackConverter<double>(input, output, options).run();
    case Format::Text: break;
  }
  return {ConversionStatus::Complete, 0};
}

}  // namespace brondel
