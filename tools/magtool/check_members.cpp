#include "magtool/check_members.h"

#include <set>

#include "base/text_encoding.h"
#include "magtool/check_lines.h"
#include "magtool/check_picture_hints.h"
#include "resources/archive_format.h"
#include "resources/byte_reader.h"
#include "resources/file_ptr.h"
#include "resources/resource_file.h"

namespace {

// The folders under DATA/ that every issue's paths name.
constexpr const char* DATA_FOLDERS[] = {"arts/", "configs/", "fonts/",
                                        "msx/",  "panels/",  "pictures/"};
// The members read as text, by their ending.
constexpr const char* TEXT_ENDINGS[] = {".art", ".txt", ".lst", ".bmf", ".ttt", ".chr"};

// A member such as "arts/index.art" whose DATA/ twin is missing: one warning for all.
void CheckDataPrefix(CheckReport& report, const std::vector<std::string>& members) {
  std::set<std::string> keys;
  for (const std::string& name : members) keys.insert(MemberKey(name));
  for (const std::string& name : members) {
    const std::string key = MemberKey(name);
    for (const char* folder : DATA_FOLDERS) {
      if (!key.starts_with(folder) || keys.count("data/" + key) != 0) continue;
      report.Warn({name}, "the reader looks for DATA/" + name +
                              ": pack the folder that holds DATA/, not DATA itself");
      return;
    }
  }
}

std::vector<uint8_t> MemberBytes(const std::string& name) {
  std::vector<uint8_t> bytes;
  RunStep([&] { ReadWholeFile(ResourceFile(name).name(), bytes); });
  return bytes;
}

void CheckUnmapped(CheckReport& report, const std::string& name) {
  const std::vector<uint8_t> bytes = MemberBytes(name);
  const auto text =
      Windows1252FromUtf8({reinterpret_cast<const char*>(bytes.data()), bytes.size()});
  if (!text) return;
  for (const int32_t line : text->unmappedLines) {
    report.Warn({name, line}, "character(s) Windows-1252 lacks, shown as \"?\"");
  }
}

}  // namespace

std::vector<std::string> ArchiveMembers(const std::string& archive) {
  std::vector<ResourceEntry> entries;
  if (const FilePtr file = OpenFile(archive.c_str(), "rb")) {
    ReadResourceDirectory(file.get(), entries);
  }
  std::vector<std::string> names;
  for (const ResourceEntry& entry : entries) names.emplace_back(entry.header.name);
  return names;
}

void CheckMembers(CheckReport& report, const std::vector<std::string>& members) {
  CheckDataPrefix(report, members);
  for (const std::string& name : members) {
    const std::string key = MemberKey(name);
    for (const char* ending : TEXT_ENDINGS) {
      if (key.ends_with(ending)) CheckUnmapped(report, name);
    }
    if (!key.ends_with(".gif")) continue;
    if (const auto misreading = GifMisreading(MemberBytes(name))) report.Warn({name}, *misreading);
  }
}
