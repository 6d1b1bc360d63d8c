// An owned file descriptor, closed when its owner lets go.
#pragma once

#include <unistd.h>

class FdHandle {
 public:
  explicit FdHandle(int fd = -1) : fd_(fd) {}
  ~FdHandle() {
    if (fd_ >= 0) close(fd_);
  }
  FdHandle(FdHandle&& other) noexcept : fd_(other.fd_) { other.fd_ = -1; }
  FdHandle& operator=(FdHandle&& other) noexcept {
    if (this != &other) {
      FdHandle old(fd_);
      fd_ = other.fd_;
      other.fd_ = -1;
    }
    return *this;
  }
  FdHandle(const FdHandle&) = delete;
  FdHandle& operator=(const FdHandle&) = delete;

  int get() const { return fd_; }
  explicit operator bool() const { return fd_ >= 0; }
  // Hands the descriptor over to a new owner, such as a stdio stream.
  int Release() {
    const int fd = fd_;
    fd_ = -1;
    return fd;
  }
  // Closes now and reports whether the close succeeded (it may report a
  // failed write).
  bool Close() {
    const int fd = fd_;
    fd_ = -1;
    return close(fd) == 0;
  }

 private:
  int fd_;
};
