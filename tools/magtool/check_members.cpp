#include "magtool/check_members.h"

#include <algorithm>
#include <iterator>
#include <unordered_map>

#include "base/text_encoding.h"
#include "magtool/check_lines.h"
#include "magtool/check_picture_hints.h"
#include "magtool/folder_listing.h"
#include "resources/archive_format.h"
#include "resources/file_ptr.h"

namespace {

// The members read as text, by their ending.
constexpr const char* TEXT_ENDINGS[] = {".art", ".txt", ".lst", ".bmf", ".ttt", ".chr"};

// One warning for all the members outside DATA/.
void CheckDataPrefix(CheckReport& report, const std::vector<std::string>& members) {
  const std::string name = OutsideData(members);
  if (!name.empty()) report.Warn({name}, "the reader looks for DATA/" + name + ": " + PACK_DATA_HINT);
}

// A member's bytes, read through the archive's one open file; none when the
// archive cannot give them (the later steps say why).
std::vector<uint8_t> MemberBytes(FILE* archive, int64_t length, const ResourceEntry& entry) {
  std::vector<uint8_t> bytes;
  if (CheckResourceMember(entry, length) != MemberResult::Ok ||
      ReadResourceMember(archive, entry, bytes) != MemberResult::Ok) {
    bytes.clear();
  }
  return bytes;
}

void CheckUnmapped(CheckReport& report, const std::string& name,
                   const std::vector<uint8_t>& bytes) {
  const auto text =
      Windows1252FromUtf8({reinterpret_cast<const char*>(bytes.data()), bytes.size()});
  if (!text) return;
  for (const int32_t line : text->unmappedLines) {
    report.Warn({name, line}, "character(s) Windows-1252 lacks, shown as \"?\"");
  }
}

bool IsText(const std::string& key) {
  return std::any_of(std::begin(TEXT_ENDINGS), std::end(TEXT_ENDINGS),
                     [&](const char* ending) { return key.ends_with(ending); });
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

void CheckMembers(CheckReport& report, const std::string& archive) {
  std::vector<ResourceEntry> entries;
  const FilePtr file = OpenFile(archive.c_str(), "rb");
  if (file) ReadResourceDirectory(file.get(), entries);
  std::vector<std::string> members;
  // Each name is read as the reader answers it: the last member of its key.
  std::unordered_map<std::string, const ResourceEntry*> answers;
  for (const ResourceEntry& entry : entries) {
    members.emplace_back(entry.header.name);
    answers[MemberKey(members.back())] = &entry;
  }
  CheckDataPrefix(report, members);
  const int64_t length = file ? ArchiveLength(file.get()) : -1;
  for (const std::string& name : members) {
    const std::string key = MemberKey(name);
    const bool text = IsText(key);
    if (!text && !key.ends_with(".gif")) continue;
    const std::vector<uint8_t> bytes = MemberBytes(file.get(), length, *answers[key]);
    if (text) {
      CheckUnmapped(report, name, bytes);
    } else if (const auto misreading = GifMisreading(bytes)) {
      report.Warn({name}, *misreading);
    }
  }
}
