#include "resources/file_ptr.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace {

// Opening without blocking lets a FIFO be refused before it could wait for a
// writer; reads then block again as on any file.
FilePtr OpenRegular(const char* name) {
  const int fd = open(name, O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return nullptr;
  struct stat info {};
  const bool regular = fstat(fd, &info) == 0 && S_ISREG(info.st_mode);
  const int flags = fcntl(fd, F_GETFL);
  FILE* file = nullptr;
  if (regular && flags >= 0 && fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) == 0) {
    file = fdopen(fd, "rb");
  }
  if (file == nullptr) {
    const int error = !regular ? (S_ISDIR(info.st_mode) ? EISDIR : ENXIO) : errno;
    close(fd);
    errno = error;
  }
  return FilePtr(file);
}

}  // namespace

FilePtr OpenFile(const char* name, const char* mode) {
  if (mode[0] == 'r' && std::strchr(mode, '+') == nullptr) return OpenRegular(name);
  return FilePtr(std::fopen(name, mode));
}
