// A fixed-size output buffer in front of a ByteSink.
#pragma once

#include <cstddef>
#include <cstring>
#include <vector>

#include "io/byte_stream.h"

namespace brondel::io {

class OutputBuffer {
 public:
  OutputBuffer(ByteSink& sink, std::size_t capacity) : sink_(sink), buffer_(capacity) {}

  // Appends `size` bytes (size <= capacity). After a failed write further
  // bytes are dropped; failed() tells.
  void append(const void* data, std::size_t size) {
    if (used_ + size > buffer_.size()) flush();
    std::memcpy(buffer_.data() + used_, data, size);
    used_ += size;
  }

  // Hands everything buffered to the sink; false once any write failed.
  bool flush() {
    if (!failed_ && used_ > 0) failed_ = !sink_.write(buffer_.data(), used_);
    used_ = 0;
    return !failed_;
  }

  bool failed() const { return failed_; }

  // Direct use by a hot loop: write at cursor(), never past limit(), then
  // hand the new cursor back with commit() before any other call.
  char* cursor() { return buffer_.data() + used_; }
  char* limit() { return buffer_.data() + buffer_.size(); }
  void commit(const char* cursor) { used_ = static_cast<std::size_t>(cursor - buffer_.data()); }

 private:
  ByteSink& sink_;
  std::vector<char> buffer_;
  std::size_t used_ = 0;
  bool failed_ = false;
};

}  // namespace brondel::io
