#include "resources/issue_folder.h"

#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <system_error>
#include <vector>

namespace fs = std::filesystem;

namespace {

char Folded(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

bool SameFolded(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (Folded(a[i]) != Folded(b[i])) return false;
  }
  return true;
}

// The entry of dir named part: its own spelling first, else the first match.
std::optional<std::string> FindEntry(const fs::path& dir, std::string_view part) {
  std::error_code error;
  if (fs::exists(dir / part, error)) return std::string(part);
  std::optional<std::string> found;
  for (fs::directory_iterator it(dir, error), end; !error && it != end; it.increment(error)) {
    const std::string name = it->path().filename().string();
    if (SameFolded(name, part) && (!found || name < *found)) found = name;
  }
  return found;
}

std::vector<std::string_view> Parts(std::string_view path) {
  std::vector<std::string_view> parts;
  size_t start = 0;
  for (size_t i = 0; i <= path.size(); ++i) {
    if (i < path.size() && path[i] != '/' && path[i] != '\\') continue;
    if (i > start) parts.push_back(path.substr(start, i - start));
    start = i + 1;
  }
  return parts;
}

}  // namespace

std::optional<std::string> FindInIssueFolder(const std::string& folder, std::string_view path) {
  fs::path found = folder;
  const std::vector<std::string_view> parts = Parts(path);
  if (parts.empty()) return std::nullopt;
  for (std::string_view part : parts) {
    // "." and ".." would lead out of the issue; the archive holds no such names.
    if (part == "." || part == "..") return std::nullopt;
    const std::optional<std::string> name = FindEntry(found, part);
    if (!name) return std::nullopt;
    found /= *name;
  }
  std::error_code error;
  if (!fs::is_regular_file(found, error)) return std::nullopt;
  return found.string();
}

namespace {

constexpr uint64_t FNV_OFFSET = 14695981039346656037ull;
constexpr uint64_t FNV_PRIME = 1099511628211ull;

void Mix(uint64_t& hash, const void* data, size_t size) {
  for (size_t i = 0; i < size; ++i) {
    hash = (hash ^ static_cast<const uint8_t*>(data)[i]) * FNV_PRIME;
  }
}

void MixFile(uint64_t& hash, const std::string& file) {
  struct stat info {};
  if (stat(file.c_str(), &info) != 0) return;
  const int64_t fields[] = {static_cast<int64_t>(info.st_dev),
                            static_cast<int64_t>(info.st_ino),
                            static_cast<int64_t>(info.st_size),
                            info.st_mtim.tv_sec,
                            info.st_mtim.tv_nsec,
                            info.st_ctim.tv_sec,
                            info.st_ctim.tv_nsec};
  Mix(hash, file.data(), file.size() + 1);
  Mix(hash, fields, sizeof fields);
}

}  // namespace

bool PassedOverName(std::string_view name) {
  return name.empty() || name.front() == '.' || name.back() == '~';
}

uint64_t FileStamp(const std::string& file) {
  uint64_t hash = FNV_OFFSET;
  MixFile(hash, file);
  return hash == FNV_OFFSET ? 0 : hash;
}

uint64_t IssueFolderStamp(const std::string& folder) {
  const std::optional<std::string> data = FindEntry(folder, "DATA");
  if (!data) return 0;
  std::vector<std::string> files;
  std::error_code error;
  const auto options = fs::directory_options::skip_permission_denied;
  fs::recursive_directory_iterator it(fs::path(folder) / *data, options, error), end;
  for (; !error && it != end; it.increment(error)) {
    if (PassedOverName(it->path().filename().string())) {
      if (it->is_directory(error)) it.disable_recursion_pending();
      continue;
    }
    files.push_back(it->path().string());
  }
  // Listing order is the file system's: sorted, the stamp depends on the files only.
  std::sort(files.begin(), files.end());
  uint64_t hash = FNV_OFFSET;
  for (const std::string& file : files) MixFile(hash, file);
  return hash;
}
