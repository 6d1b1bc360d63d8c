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

// The folder holding the last part, made where missing; -1 when it cannot be
// reached. folder owns it unless it is root itself.
int FolderOf(int root, const std::vector<std::string>& parts, bool make, FdHandle& folder) {
  int at = root;
  for (size_t i = 0; i + 1 < parts.size(); ++i) {
    if (make && mkdirat(at, parts[i].c_str(), 0777) != 0 && errno != EEXIST) return -1;
    folder = OpenFolder(at, parts[i]);
    if (!folder) return -1;
    at = folder.get();
  }
  return at;
}

}  // namespace

FdHandle CreateFileBelow(int root, const std::vector<std::string>& parts) {
  FdHandle folder;
  const int at = parts.empty() ? -1 : FolderOf(root, parts, true, folder);
  return at < 0 ? FdHandle() : CreateFile(at, parts.back());
}

FilePtr CreateStreamBelow(int root, const std::vector<std::string>& parts) {
  FdHandle file = CreateFileBelow(root, parts);
  FilePtr stream(file ? fdopen(file.get(), "wb") : nullptr);
  if (stream) file.Release();
  return stream;
}

void RemoveFileBelow(int root, const std::vector<std::string>& parts) {
  FdHandle folder;
  const int at = parts.empty() ? -1 : FolderOf(root, parts, false, folder);
  if (at >= 0) unlinkat(at, parts.back().c_str(), 0);
}

bool WriteFileBelow(int root, const std::vector<std::string>& parts,
                    const std::vector<uint8_t>& bytes) {
  FdHandle file = CreateFileBelow(root, parts);
  return file && WriteAll(file.get(), bytes) && file.Close();
}
