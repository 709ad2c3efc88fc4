// Helpers shared by the tests.
#pragma once

#include <cstring>
#include <initializer_list>
#include <string>
#include <string_view>

#include "io/memory_stream.h"
#include "literal_model.h"
#include "stack/convert_stack.h"

namespace brondel::test {

// Block sizes at which every kind of token crosses a block edge somewhere.
inline constexpr std::size_t kBlockSizes[] = {1, 2, 3, 7, 64, kDefaultBlockSize};

inline constexpr Format kBinaryFormats[] = {Format::Single, Format::Double};

// The little-endian bytes of `numbers` in the precision of `format`.
inline std::string binaryOf(Format format, std::initializer_list<double> numbers) {
  std::string bytes;
  for (const double number : numbers) {
    if (format == Format::Single) {
      const float f = static_cast<float>(number);
      bytes.append(reinterpret_cast<const char*>(&f), sizeof f);
    } else {
      bytes.append(reinterpret_cast<const char*>(&number), sizeof number);
    }
  }
  return bytes;
}

struct Converted {
  std::string bytes;
  ConversionStatus status;
};

inline Converted convertBytes(std::string_view ascii, Format format, std::size_t blockSize = kDefaultBlockSize,
                              std::size_t outputBufferSize = kDefaultOutputBufferSize) {
  io::MemorySource source(ascii);
  io::StringSink sink;
  const ConversionResult result = convertStack(source, sink, format, {blockSize, outputBufferSize});
  return {std::move(sink.bytes), result.status};
}

// The status the literal model's outcome corresponds to.
inline ConversionStatus expectedStatus(model::ModelStatus status) {
  return status == model::ModelStatus::Complete ? ConversionStatus::Complete : ConversionStatus::IncompleteHeader;
}

// A header of twelve entries "k1 1" ... "k12 12", one per line.
inline std::string numberedHeader() {
  std::string header;
  for (int k = 1; k <= 12; ++k) header += "k" + std::to_string(k) + " " + std::to_string(k) + "\n";
  return header;
}

}  // namespace brondel::test
