#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>

#include "magtool/archive_writer.h"
#include "magtool/commands.h"
#include "resources/file_ptr.h"

namespace fs = std::filesystem;

namespace {

// Relative '/'-separated names of the regular files under dir, sorted, leaving
// out the archive being written.
bool CollectNames(const fs::path& dir, const fs::path& archive, std::vector<std::string>& names) {
  std::error_code error;
  fs::path archiveFull = fs::weakly_canonical(archive, error);
  auto it = fs::recursive_directory_iterator(dir, error);
  if (error) {
    std::fprintf(stderr, "magtool: %s: %s\n", dir.c_str(), error.message().c_str());
    return false;
  }
  for (const fs::directory_entry& entry : it) {
    if (!entry.is_regular_file()) continue;
    if (fs::weakly_canonical(entry.path(), error) == archiveFull) continue;
    names.push_back(entry.path().lexically_relative(dir).generic_string());
  }
  std::sort(names.begin(), names.end());
  return true;
}

bool ReadWhole(const fs::path& path, std::vector<uint8_t>& data) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  data.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return !in.bad();
}

}  // namespace

int PackCommand(const std::string& dir, const std::string& archive, bool store) {
  std::vector<std::string> names;
  if (!CollectNames(dir, archive, names)) return 1;
  // Written aside and renamed, so that a failed pack leaves no half archive.
  std::string partial = archive + ".partial";
  FilePtr file = OpenFile(partial.c_str(), "wb");
  if (!file) {
    std::fprintf(stderr, "magtool: %s: cannot create the archive\n", archive.c_str());
    return 1;
  }
  std::string error;
  for (const std::string& name : names) {
    std::vector<uint8_t> data;
    bool ok = ReadWhole(fs::path(dir) / name, data);
    if (!ok) error = name + ": cannot read";
    if (!ok || !WriteMember(file.get(), name, data, !store, error)) {
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
