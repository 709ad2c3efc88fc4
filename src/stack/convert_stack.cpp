#include "stack/convert_stack.h"

#include <bit>
#include <charconv>
#include <cstring>
#include <type_traits>

#include "io/input_buffer.h"
#include "io/output_buffer.h"
#include "stack/char_class.h"
#include "stack/decimal_assembler.h"
#include "stack/number_grammar.h"

namespace brondel {
namespace {

// Converts the bytes [begin, end) that scanNumber() took, lying whole in
// memory. The common case goes through std::from_chars; a result it
// reports out of range goes to the assembler, which hands the C library a
// bounded canonical text so that overflow and underflow come out exactly.
template <class T>
Extracted<T> convertTaken(const char* begin, const char* end, bool complete) {
  if (!complete) return {T{0}, false};
  const char* const digits = *begin == '+' ? begin + 1 : begin;
  T value{};
  const auto [stop, error] = std::from_chars(digits, end, value);
  if (error == std::errc() && stop == end) return {value, true};
  DecimalAssembler assembler;
  assembler.feed(begin, end);
  return assembler.to<T>();
}

template <class T>
void appendLittleEndian(io::OutputBuffer& out, T value) {
  static_assert(std::is_same_v<T, float> || std::is_same_v<T, double>);
  if constexpr (std::endian::native == std::endian::little) {
    out.append(&value, sizeof value);
  } else {
    unsigned char bytes[sizeof value];
    std::memcpy(bytes, &value, sizeof value);
    for (std::size_t i = 0; i < sizeof value / 2; ++i) std::swap(bytes[i], bytes[sizeof value - 1 - i]);
    out.append(bytes, sizeof value);
  }
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

  void transferValues() {
    T value{};
    while (extractNumber(value) && !out_.failed()) {
      appendLittleEndian(out_, value);
      ++valuesWritten_;
    }
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
      result = convertTaken<T>(in_.pos(), taken.end, taken.complete);
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
