#include "magtool/archive_reader.h"

#include <cerrno>
#include <cstdio>

namespace {

bool Broken(const std::string& path, const std::string& reason) {
  std::fprintf(stderr, "magtool: %s: Broken resource file !%s\n", path.c_str(),
               reason.empty() ? "" : (" (" + reason + ")").c_str());
  return false;
}

// The reader ignores what follows the last whole member; an editor's tool
// takes it, or an archive without members, as damage.
std::string Damage(const OpenedArchive& archive) {
  if (archive.entries.empty()) return "holds no member";
  const ResourceEntry& last = archive.entries.back();
  const int64_t left = archive.length - (last.dataPos + last.header.storedSize);
  // A last member cut short is reported by its name when it is read.
  if (left <= 0) return {};
  return std::to_string(left) + " bytes after the last whole member";
}

}  // namespace

bool OpenArchiveFile(const std::string& path, OpenedArchive& archive) {
  archive.file = OpenFile(path.c_str(), "rb");
  // OpenFile refuses anything but a regular file with these.
  if (!archive.file && (errno == EISDIR || errno == ENXIO)) return Broken(path, "not a file");
  if (!archive.file) {
    std::fprintf(stderr, "magtool: %s: Cannot open resource file !\n", path.c_str());
    return false;
  }
  archive.length = ArchiveLength(archive.file.get());
  if (ReadResourceDirectory(archive.file.get(), archive.entries) != DirectoryResult::Ok) {
    return Broken(path, "");
  }
  const std::string damage = Damage(archive);
  return damage.empty() || Broken(path, damage);
}
