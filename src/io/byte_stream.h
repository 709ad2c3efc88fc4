// Where the conversion reads its bytes from and writes them to.
#pragma once

#include <cstddef>
#include <cstdint>

namespace brondel::io {

// A reader of raw bytes. read() returns the count of bytes placed in `buffer`
// (1 to `capacity`), 0 at the end of the input, or -1 after a read error.
class ByteSource {
 public:
  virtual ~ByteSource() = default;
  virtual std::int64_t read(char* buffer, std::size_t capacity) = 0;
};

// A writer of raw bytes. write() returns true once all `size` bytes are
// written, false after a write error.
class ByteSink {
 public:
  virtual ~ByteSink() = default;
  virtual bool write(const char* data, std::size_t size) = 0;
};

}  // namespace brondel::io
