// A block buffer over a ByteSource, scanned in place by the conversion.
#pragma once

#include <cstddef>
#include <vector>

#include "io/byte_stream.h"

namespace brondel::io {

// Holds one block at a time. The byte just past the block is always NUL, so
// scanning loops that stop at a NUL need no bound of their own; whoever
// stops at end() must still tell the sentinel from a NUL of the input.
class InputBuffer {
 public:
  InputBuffer(ByteSource& source, std::size_t blockSize)
      : source_(source), blockSize_(blockSize), storage_(blockSize + 1, '\0'), pos_(storage_.data()), end_(pos_) {}

  const char* pos() const { return pos_; }
  const char* end() const { return end_; }
  void advanceTo(const char* p) { pos_ = p; }

  // Replaces the block by the next one. False at the end of the input or
  // after a read error (then readError() is true); never reads again after.
  bool refill() {
    if (finished_) return false;
    const std::int64_t n = source_.read(storage_.data(), blockSize_);
    if (n <= 0) {
      finished_ = true;
      readError_ = n < 0;
      pos_ = end_ = storage_.data();
      storage_[0] = '\0';
      return false;
    }
    pos_ = storage_.data();
    end_ = pos_ + n;
    storage_[static_cast<std::size_t>(n)] = '\0';
    return true;
  }

  bool readError() const { return readError_; }

 private:
  ByteSource& source_;
  std::size_t blockSize_;
  std::vector<char> storage_;
  const char* pos_;
  const char* end_;
  bool finished_ = false;
  bool readError_ = false;
};

}  // namespace brondel::io
