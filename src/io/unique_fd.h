// Ownership of a POSIX file descriptor.
#pragma once

#include <unistd.h>

#include <utility>

namespace brondel::io {

class UniqueFd {
 public:
  UniqueFd() = default;
  explicit UniqueFd(int fd) : fd_(fd) {}
  UniqueFd(UniqueFd&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
  UniqueFd& operator=(UniqueFd&& other) noexcept {
    if (this != &other) {
      reset();
      fd_ = std::exchange(other.fd_, -1);
    }
    return *this;
  }
  UniqueFd(const UniqueFd&) = delete;
  UniqueFd& operator=(const UniqueFd&) = delete;
  ~UniqueFd() { reset(); }

  int get() const { return fd_; }
  bool valid() const { return fd_ >= 0; }

  // Closes the descriptor with `closeCall`; false if it reports an error,
  // which for a file being written can mean its last bytes were not stored.
  bool close(int (*closeCall)(int) = ::close) { return closeCall(std::exchange(fd_, -1)) == 0; }

 private:
  void reset() {
    if (fd_ >= 0) ::close(std::exchange(fd_, -1));
  }
  int fd_ = -1;
};

}  // namespace brondel::io
