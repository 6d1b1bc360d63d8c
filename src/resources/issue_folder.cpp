#include "resources/issue_folder.h"

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
