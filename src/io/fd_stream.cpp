#include "io/fd_stream.h"

#include <unistd.h>

#include <cerrno>

namespace brondel::io {

const SystemCalls& realSystemCalls() {
  static const SystemCalls calls{::read, ::write, ::close};
  return calls;
}

std::int64_t FdSource::read(char* buffer, std::size_t capacity) {
  for (;;) {
    const ssize_t n = calls_.read(fd_, buffer, capacity);
    if (n >= 0) return n;
    if (errno != EINTR) return -1;
  }
}

bool FdSink::write(const char* data, std::size_t size) {
  while (size > 0) {
    const ssize_t n = calls_.write(fd_, data, size);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    if (n == 0) return false;  // no progress: treat as a failed write, never spin
    data += n;
    size -= static_cast<std::size_t>(n);
  }
  return true;
}

}  // namespace brondel::io
