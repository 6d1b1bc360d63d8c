#include "magtool/nofollow_tree.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <cerrno>

#include "base/fd_handle.h"

bool PathHasLink(int root, const std::vector<std::string>& parts) {
  std::string prefix;
  for (const std::string& part : parts) {
    prefix += prefix.empty() ? part : "/" + part;
    // The earlier parts were checked to be no links, so following them is harmless.
    struct stat st;
    if (fstatat(root, prefix.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0) return false;
    if (S_ISLNK(st.st_mode)) return true;
  }
  return false;
}

namespace {

FdHandle OpenFolder(int at, const std::string& name) {
  return FdHandle(openat(at, name.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
}

// An existing plain file is ours to replace; anything else stays and fails the create.
FdHandle CreateFile(int at, const std::string& name) {
  struct stat st;
  if (fstatat(at, name.c_str(), &st, AT_SYMLINK_NOFOLLOW) == 0 && S_ISREG(st.st_mode)) {
    unlinkat(at, name.c_str(), 0);
  }
  return FdHandle(
      openat(at, name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666));
}

bool WriteAll(int fd, const std::vector<uint8_t>& bytes) {
  size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    done += static_cast<size_t>(n);
  }
  return true;
}

}  // namespace

bool WriteFileBelow(int root, const std::vector<std::string>& parts,
                    const std::vector<uint8_t>& bytes) {
  FdHandle folder;
  int at = root;
  for (size_t i = 0; i + 1 < parts.size(); ++i) {
    if (mkdirat(at, parts[i].c_str(), 0777) != 0 && errno != EEXIST) return false;
    folder = OpenFolder(at, parts[i]);
    if (!folder) return false;
    at = folder.get();
  }
  FdHandle file = CreateFile(at, parts.back());
  return file && WriteAll(file.get(), bytes) && file.Close();
}
