#include "resources/temp_files.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <filesystem>

namespace {

// Plain bytes without a destructor, so that the removal at exit finds the
// state whatever order the exit handlers run in.
struct Folder {
  char path[PATH_MAX];  // ends in '/'; empty until made
  pid_t owner;
  bool exitHandlerRegistered;
};

Folder& Private() {
  static Folder folder{};
  return folder;
}

FilePtr CreateExclusive(const std::string& name, int mode) {
  const int fd = open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode);
  if (fd < 0) return nullptr;
  FilePtr file(fdopen(fd, "wb"));
  if (!file) {
    const int error = errno;
    close(fd);
    unlink(name.c_str());
    errno = error;
  }
  return file;
}

}  // namespace

FilePtr CreateNumberedFile(const std::string& prefix, int& number, const std::string& suffix,
                           int mode, std::string& name) {
  for (int tries = 0; tries < TEMP_MAX_TRIES; ++tries) {
    name = prefix + std::to_string(number++) + suffix;
    if (FilePtr file = CreateExclusive(name, mode)) return file;
    if (errno != EEXIST) return nullptr;
  }
  return nullptr;
}

std::string PrivateFolder() {
  Folder& folder = Private();
  if (folder.path[0] != '\0') return folder.path;
  const char* base = std::getenv("TMPDIR");
  std::string pattern = base != nullptr && base[0] != '\0' ? base : "/tmp";
  if (pattern.back() != '/') pattern += '/';
  pattern += "diskmag-XXXXXX";
  if (pattern.size() + 1 >= sizeof folder.path) {
    errno = ENAMETOOLONG;
    return "";
  }
  if (mkdtemp(pattern.data()) == nullptr) return "";
  std::memcpy(folder.path, pattern.c_str(), pattern.size());
  folder.path[pattern.size()] = '/';
  folder.path[pattern.size() + 1] = '\0';
  folder.owner = getpid();
  if (!folder.exitHandlerRegistered) {
    std::atexit(RemovePrivateFolder);
    folder.exitHandlerRegistered = true;
  }
  return folder.path;
}

void RemovePrivateFolder() {
  Folder& folder = Private();
  if (folder.path[0] == '\0') return;
  // A forked child leaves its parent's folder alone.
  if (folder.owner == getpid()) {
    std::error_code error;
    std::filesystem::remove_all(folder.path, error);
  }
  folder.path[0] = '\0';
}
