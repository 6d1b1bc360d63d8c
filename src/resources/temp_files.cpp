#include "resources/temp_files.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
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

bool SameFile(int fd, const std::string& name) {
  struct stat held {};
  struct stat named {};
  return fstat(fd, &held) == 0 && lstat(name.c_str(), &named) == 0 && held.st_dev == named.st_dev &&
         held.st_ino == named.st_ino;
}

// A sweep may take a new file's lock before its creator does and remove it:
// the creator then goes on to the next name as if this one were taken.
bool LockedAsCreated(int fd, const std::string& name) {
  if (flock(fd, LOCK_EX | LOCK_NB) == 0 && SameFile(fd, name)) return true;
  close(fd);
  errno = EEXIST;
  return false;
}

FilePtr CreateExclusive(const std::string& name, int mode) {
  const int fd = open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode);
  if (fd < 0 || !LockedAsCreated(fd, name)) return nullptr;
  FilePtr file(fdopen(fd, "wb"));
  if (!file) {
    const int error = errno;
    close(fd);
    unlink(name.c_str());
    errno = error;
  }
  return file;
}

// The lock is taken and the name checked to be still the file locked, so
// that only a leftover is removed, never a file created meanwhile.
void RemoveIfUnheld(const std::string& name) {
  const int fd = open(name.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return;
  struct stat info {};
  if (fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && flock(fd, LOCK_EX | LOCK_NB) == 0 &&
      SameFile(fd, name)) {
    unlink(name.c_str());
  }
  close(fd);
}

// prefix, digits, then the end or a '.' and a suffix: nothing else was made here.
bool IsNumbered(std::string_view name, std::string_view prefix) {
  if (!name.starts_with(prefix)) return false;
  const size_t end = std::min(name.find_first_not_of("0123456789", prefix.size()), name.size());
  return end > prefix.size() && (end == name.size() || name[end] == '.');
}

}  // namespace

FdHandle LockOf(FILE* created) { return FdHandle(fcntl(fileno(created), F_DUPFD_CLOEXEC, 0)); }

void RemoveUnheldFiles(const std::string& folder, std::string_view prefix) {
  const std::string where = folder.empty() ? "." : folder;
  std::error_code error;
  for (std::filesystem::directory_iterator it(where, error), end; !error && it != end;
       it.increment(error)) {
    if (IsNumbered(it->path().filename().string(), prefix)) RemoveIfUnheld(it->path().string());
  }
}

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
