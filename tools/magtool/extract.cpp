#include <fcntl.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <system_error>

#include "base/fd_handle.h"
#include "magtool/archive_reader.h"
#include "magtool/commands.h"
#include "magtool/nofollow_tree.h"

namespace fs = std::filesystem;

namespace {

// The member's path below the destination, one name a part, or empty when the
// name would leave it: absolute, with a ".." part, or naming no file.
std::vector<std::string> MemberParts(const char* name) {
  std::string s(name);
  std::replace(s.begin(), s.end(), '\\', '/');
  if (s.empty() || s.front() == '/') return {};
  std::vector<std::string> raw;
  for (size_t start = 0, end = 0; end != s.size(); start = end + 1) {
    end = std::min(s.find('/', start), s.size());
    raw.push_back(s.substr(start, end - start));
  }
  if (raw.back().empty() || raw.back() == ".") return {};
  std::vector<std::string> parts;
  for (std::string& part : raw) {
    if (part == "..") return {};
    if (!part.empty() && part != ".") parts.push_back(std::move(part));
  }
  return parts;
}

bool Refuse(const char* name, const char* why, const std::string& destDir) {
  std::fprintf(stderr, "magtool: %s: refusing a name that %s %s\n", name, why, destDir.c_str());
  return true;
}

// The whole archive is refused, before anything is written, when a name
// leaves the destination or would pass through a link below it; dest is -1
// before the destination is opened.
bool Refused(const OpenedArchive& archive, int dest, const std::string& destDir) {
  for (const ResourceEntry& entry : archive.entries) {
    const std::vector<std::string> parts = MemberParts(entry.header.name);
    if (parts.empty()) return Refuse(entry.header.name, "leaves", destDir);
    if (dest >= 0 && PathHasLink(dest, parts)) {
      return Refuse(entry.header.name, "passes through a link in", destDir);
    }
  }
  return false;
}

}  // namespace

int ExtractCommand(const std::string& path, const std::string& destDir) {
  OpenedArchive archive;
  if (!OpenArchiveFile(path, archive)) return 1;
  if (Refused(archive, -1, destDir)) return 1;
  std::error_code error;
  fs::create_directories(destDir, error);
  FdHandle dest(open(destDir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (!dest) {
    std::fprintf(stderr, "magtool: %s: cannot open the folder\n", destDir.c_str());
    return 1;
  }
  if (Refused(archive, dest.get(), destDir)) return 1;
  for (const ResourceEntry& entry : archive.entries) {
    std::vector<uint8_t> bytes;
    MemberResult result = CheckResourceMember(entry, archive.length);
    if (result == MemberResult::Ok) result = ReadResourceMember(archive.file.get(), entry, bytes);
    if (result != MemberResult::Ok) {
      std::fprintf(stderr, "magtool: %s: %s\n", entry.header.name,
                   result == MemberResult::ReadError ? "Read error !" : "HUFF broken !");
      return 1;
    }
    if (!WriteFileBelow(dest.get(), MemberParts(entry.header.name), bytes)) {
      std::fprintf(stderr, "magtool: %s/%s: Write error !\n", destDir.c_str(), entry.header.name);
      return 1;
    }
  }
  return 0;
}
