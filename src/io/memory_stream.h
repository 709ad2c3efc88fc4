// Byte streams over memory, for tests, the benchmark and the fuzzer.
#pragma once

#include <algorithm>
#include <cstring>
#include <string>
#include <string_view>

#include "io/byte_stream.h"

namespace brondel::io {

class MemorySource final : public ByteSource {
 public:
  explicit MemorySource(std::string_view bytes) : rest_(bytes) {}
  std::int64_t read(char* buffer, std::size_t capacity) override {
    const std::size_t n = std::min(capacity, rest_.size());
    if (n > 0) std::memcpy(buffer, rest_.data(), n);
    rest_.remove_prefix(n);
    return static_cast<std::int64_t>(n);
  }

 private:
  std::string_view rest_;
};

class StringSink final : public ByteSink {
 public:
  bool write(const char* data, std::size_t size) override {
    bytes.append(data, size);
    return true;
  }
  std::string bytes;
};

}  // namespace brondel::io
