#include <fcntl.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "magtool/archive_writer.h"
#include "magtool/commands.h"
#include "magtool/folder_listing.h"
#include "magtool/nofollow_tree.h"
#include "resources/file_ptr.h"

namespace fs = std::filesystem;

namespace {

// The archive's own files, whose stale copies inside DIR must not be packed.
struct OwnFiles {
  fs::path archive, partial;
  bool Holds(const fs::path& path) const {
    std::error_code error;
    const fs::path full = fs::weakly_canonical(path, error);
    return full == archive || full == partial;
  }
};

void ReportLeftOut(const fs::path& dir, const IssueFolder& found, const OwnFiles& own) {
  for (const LeftOut& left : found.leftOut) {
    if (own.Holds(dir / left.name)) continue;
    std::fprintf(stderr, "magtool: warning: %s: left out: %s\n", (dir / left.name).c_str(),
                 left.why);
  }
}

// The sorted names to pack, the archive's own files left out; false, each
// named, when links lead out of dir and may not be followed.
bool NamesToPack(const fs::path& dir, const OwnFiles& own, const PackOptions& options,
                 std::vector<std::string>& names) {
  IssueFolder found;
  std::string error;
  if (!ListIssueFolder(dir, found, error)) {
    std::fprintf(stderr, "magtool: %s\n", error.c_str());
    return false;
  }
  if (!options.quiet) ReportLeftOut(dir, found, own);
  bool refused = false;
  for (const std::string& name : found.leaving) {
    if (own.Holds(dir / name)) continue;
    if (options.followLinks) {
      found.files.push_back(name);
      continue;
    }
    std::fprintf(stderr, "magtool: %s: refusing a link that leads out of %s (--follow-links)\n",
                 (dir / name).c_str(), dir.c_str());
    refused = true;
  }
  for (const std::string& name : found.files) {
    if (!own.Holds(dir / name)) names.push_back(name);
  }
  std::sort(names.begin(), names.end());
  if (const std::string outside = OutsideData(names); !outside.empty()) {
    std::fprintf(stderr, "magtool: %s: the reader looks for DATA/%s: %s\n", dir.c_str(),
                 outside.c_str(), PACK_DATA_HINT);
    return false;
  }
  return !refused;
}

// Checks the size before reading, so that a file too large for a member costs
// neither the time nor the memory of reading it.
bool ReadWhole(const fs::path& path, const std::string& name, std::vector<uint8_t>& data,
               std::string& error) {
  FilePtr in = OpenFile(path.c_str(), "rb");
  struct stat st;
  if (!in || fstat(fileno(in.get()), &st) != 0) {
    error = name + ": cannot read";
    return false;
  }
  if (!MemberSizeFits(name, static_cast<uint64_t>(st.st_size), error)) return false;
  data.resize(static_cast<size_t>(st.st_size));
  if (!data.empty() && std::fread(data.data(), data.size(), 1, in.get()) != 1) {
    error = name + ": cannot read";
    return false;
  }
  return true;
}

}  // namespace

int PackCommand(const std::string& dir, const std::string& archive, const PackOptions& options) {
  // Written aside and renamed, so that a failed pack leaves no half archive.
  const std::string partial = archive + ".partial";
  std::error_code ignored;
  const OwnFiles own{fs::weakly_canonical(archive, ignored),
                     fs::weakly_canonical(partial, ignored)};
  std::vector<std::string> names;
  if (!NamesToPack(dir, own, options, names)) return 1;
  const fs::path folder = fs::path(archive).parent_path();
  const FdHandle at(
      open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  // Never through a link planted under the part file's name.
  FilePtr file = at ? CreateStreamBelow(at.get(), {fs::path(partial).filename()}) : nullptr;
  if (!file) {
    // A plain file there is replaced; anything else is someone's, and stays.
    const std::string why = errno == EEXIST ? "is no plain file; remove it" : std::strerror(errno);
    std::fprintf(stderr, "magtool: %s: cannot create the archive (%s %s)\n", archive.c_str(),
                 partial.c_str(), why.c_str());
    return 1;
  }
  std::string error;
  for (const std::string& name : names) {
    std::vector<uint8_t> data;
    if (!ReadWhole(fs::path(dir) / name, name, data, error) ||
        !WriteMember(file.get(), name, data, !options.store, error)) {
      std::fprintf(stderr, "magtool: %s\n", error.c_str());
      file.reset();
      std::remove(partial.c_str());
      return 1;
    }
  }
  bool closed = std::fclose(file.release()) == 0;
  if (!closed || std::rename(partial.c_str(), archive.c_str()) != 0) {
    std::fprintf(stderr, "magtool: %s: write error\n", archive.c_str());
    std::remove(partial.c_str());
    return 1;
  }
  return 0;
}
