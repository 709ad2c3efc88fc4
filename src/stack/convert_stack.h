// Conversion of one ASCII stack into one binary stack.
#pragma once

#include <cstddef>
#include <cstdint>

#include "io/byte_stream.h"
#include "stack/stack_format.h"

namespace brondel {

inline constexpr std::size_t kDefaultBlockSize = std::size_t{1} << 18;
inline constexpr std::size_t kDefaultOutputBufferSize = std::size_t{1} << 18;

struct ConversionOptions {
  std::size_t blockSize = kDefaultBlockSize;                // bytes read at a time
  std::size_t outputBufferSize = kDefaultOutputBufferSize;  // bytes written at a time (>= 8)
};

enum class ConversionStatus {
  Complete,          // header whole; the values ran to the input's end or to a non-number
  IncompleteHeader,  // a header keyword or number was missing or invalid
  ReadError,         // reading the input failed
  WriteError,        // writing the output failed
};

struct ConversionResult {
  ConversionStatus status;
  std::uint64_t valuesWritten;  // values after the header
};

// Reads the twelve header entries and then the values from `input` and
// writes the header numbers and the values to `output` as little-endian
// binary32 (Single) or binary64 (Double) numbers, flushing before it
// returns. Text converts nothing.
ConversionResult convertStack(io::ByteSource& input, io::ByteSink& output, Format format,
                              const ConversionOptions& options = {});

}  // namespace brondel
