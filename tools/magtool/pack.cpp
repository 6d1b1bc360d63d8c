#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <system_error>

#include "magtool/archive_writer.h"
#include "magtool/commands.h"
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

// Relative '/'-separated names of the regular files under dir, sorted, leaving
// out the archive's own files. A link that names nothing is left out too; any
// other failure is reported with its path.
bool CollectNames(const fs::path& dir, const OwnFiles& own, std::vector<std::string>& names) {
  std::error_code error;
  fs::path at = dir;
  for (fs::recursive_directory_iterator it(dir, error), end; !error && it != end;
       it.increment(error)) {
    at = it->path();
    const bool regular = it->is_regular_file(error);
    if (error.value() == ENOENT) error.clear();
    if (error) break;
    if (regular && !own.Holds(at)) names.push_back(at.lexically_relative(dir).generic_string());
  }
  if (error) {
    std::fprintf(stderr, "magtool: %s: %s\n", at.c_str(), error.message().c_str());
    return false;
  }
  std::sort(names.begin(), names.end());
  return true;
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

int PackCommand(const std::string& dir, const std::string& archive, bool store) {
  // Written aside and renamed, so that a failed pack leaves no half archive.
  const std::string partial = archive + ".partial";
  std::error_code ignored;
  const OwnFiles own{fs::weakly_canonical(archive, ignored), fs::weakly_canonical(partial, ignored)};
  std::vector<std::string> names;
  if (!CollectNames(dir, own, names)) return 1;
  FilePtr file = OpenFile(partial.c_str(), "wb");
  if (!file) {
    std::fprintf(stderr, "magtool: %s: cannot create the archive\n", archive.c_str());
    return 1;
  }
  std::string error;
  for (const std::string& name : names) {
    std::vector<uint8_t> data;
    if (!ReadWhole(fs::path(dir) / name, name, data, error) ||
        !WriteMember(file.get(), name, data, !store, error)) {
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
