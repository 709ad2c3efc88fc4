// Byte streams over POSIX file descriptors, with the system calls behind
// a replaceable table so that tests can inject short transfers and errors.
#pragma once

#include <sys/types.h>

#include "io/byte_stream.h"

namespace brondel::io {

struct SystemCalls {
  ssize_t (*read)(int fd, void* buffer, size_t count);
  ssize_t (*write)(int fd, const void* data, size_t count);
  int (*close)(int fd);
};

// The real read(2), write(2) and close(2).
const SystemCalls& realSystemCalls();

// Reads a descriptor; retries on EINTR, reports other errors as -1.
class FdSource final : public ByteSource {
 public:
  explicit FdSource(int fd, const SystemCalls& calls = realSystemCalls()) : fd_(fd), calls_(calls) {}
  std::int64_t read(char* buffer, std::size_t capacity) override;

 private:
  int fd_;
  const SystemCalls& calls_;
};

// Writes a descriptor whole: resumes after short writes and EINTR.
class FdSink final : public ByteSink {
 public:
  explicit FdSink(int fd, const SystemCalls& calls = realSystemCalls()) : fd_(fd), calls_(calls) {}
  bool write(const char* data, std::size_t size) override;

 private:
  int fd_;
  const SystemCalls& calls_;
};

}  // namespace brondel::io
