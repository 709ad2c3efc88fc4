// libFuzzer target: the fast conversion against the literal model on the
// fuzz input, for both precisions and several block sizes. Any difference
// in the output bytes or the outcome aborts.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "io/memory_stream.h"
#include "literal_model.h"
#include "stack/convert_stack.h"

namespace {

using brondel::ConversionStatus;
using brondel::Format;

ConversionStatus expectedStatus(brondel::model::ModelStatus status) {
  return status == brondel::model::ModelStatus::Complete ? ConversionStatus::Complete
                                                         : ConversionStatus::IncompleteHeader;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view ascii(reinterpret_cast<const char*>(data), size);
  for (const Format format : {Format::Single, Format::Double}) {
    const brondel::model::ModelResult expected = brondel::model::convertLiterally(ascii, format);
    for (const std::size_t blockSize : {std::size_t{1}, std::size_t{3}, std::size_t{64}, brondel::kDefaultBlockSize}) {
      brondel::io::MemorySource source(ascii);
      brondel::io::StringSink sink;
      const brondel::ConversionResult result =
          brondel::convertStack(source, sink, format, {blockSize, blockSize < 8 ? std::size_t{8} : std::size_t{4096}});
      if (sink.bytes != expected.bytes || result.status != expectedStatus(expected.status)) {
        std::fprintf(stderr, "mismatch: format %s, block size %zu: %zu bytes (status %d) vs model %zu (status %d)\n",
                     brondel::formatName(format), blockSize, sink.bytes.size(), static_cast<int>(result.status),
                     expected.bytes.size(), static_cast<int>(expected.status));
        std::abort();
      }
    }
  }
  return 0;
}
