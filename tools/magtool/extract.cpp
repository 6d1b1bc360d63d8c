#include <cstdio>
#include <filesystem>
#include <system_error>

#include "magtool/archive_reader.h"
#include "magtool/commands.h"

namespace fs = std::filesystem;

namespace {

// The member's path below the destination, or empty when the name would
// leave it: absolute, with a ".." part, or naming no file.
fs::path SafeRelativePath(const char* name) {
  std::string s(name);
  for (char& c : s) {
    if (c == '\\') c = '/';
  }
  if (s.empty() || s.front() == '/' || s.back() == '/') return {};
  fs::path path(s);
  for (const fs::path& part : path) {
    if (part == "..") return {};
  }
  return path;
}

bool WriteMemberFile(const fs::path& target, const std::vector<uint8_t>& bytes) {
  std::error_code error;
  fs::create_directories(target.parent_path(), error);
  FilePtr out = OpenFile(target.c_str(), "wb");
  if (!out) return false;
  if (!bytes.empty() && std::fwrite(bytes.data(), bytes.size(), 1, out.get()) != 1) return false;
  return std::fclose(out.release()) == 0;
}

}  // namespace

int ExtractCommand(const std::string& path, const std::string& destDir) {
  OpenedArchive archive;
  if (!OpenArchiveFile(path, archive)) return 1;
  for (const ResourceEntry& entry : archive.entries) {
    if (SafeRelativePath(entry.header.name).empty()) {
      std::fprintf(stderr, "magtool: %s: refusing a name that leaves %s\n", entry.header.name,
                   destDir.c_str());
      return 1;
    }
  }
  for (const ResourceEntry& entry : archive.entries) {
    std::vector<uint8_t> bytes;
    MemberResult result = CheckResourceMember(entry, archive.length);
    if (result == MemberResult::Ok) result = ReadResourceMember(archive.file.get(), entry, bytes);
    if (result != MemberResult::Ok) {
      std::fprintf(stderr, "magtool: %s: %s\n", entry.header.name,
                   result == MemberResult::ReadError ? "Read error !" : "HUFF broken !");
      return 1;
    }
    fs::path target = fs::path(destDir) / SafeRelativePath(entry.header.name);
    if (!WriteMemberFile(target, bytes)) {
      std::fprintf(stderr, "magtool: %s: Write error !\n", target.c_str());
      return 1;
    }
  }
  return 0;
}
