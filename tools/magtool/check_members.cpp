#include "magtool/check_members.h"

#include <algorithm>
#include <cstdio>
#include <iterator>
#include <unordered_map>

#include "base/text_encoding.h"
#include "engine/covers.h"
#include "magtool/check_lines.h"
#include "magtool/check_picture_hints.h"
#include "magtool/folder_listing.h"
#include "resources/archive.h"
#include "resources/archive_format.h"
#include "resources/file_ptr.h"

namespace {

// The members read as text, by their ending.
constexpr const char* TEXT_ENDINGS[] = {".art", ".txt", ".lst", ".bmf", ".ttt", ".chr"};

// One warning for all the members outside DATA/.
void CheckDataPrefix(CheckReport& report, const std::vector<std::string>& members) {
  const std::string name = OutsideData(members);
  if (!name.empty()) {
    report.Warn({name}, "the reader looks for DATA/" + name + ": " + PACK_DATA_HINT);
  }
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

// "U+2603 (☃)", or "byte E9" for a stray byte.
std::string Named(const EncodingSlip& slip) {
  char code[16];
  std::snprintf(code, sizeof code, slip.stray ? "byte %02X" : "U+%04X",
                static_cast<unsigned>(slip.point));
  return slip.stray ? code : std::string(code) + " (" + Utf8FromPoint(slip.point) + ")";
}

// Where a text member's encoding misleads the reader, named where it is.
void CheckEncoding(CheckReport& report, const std::string& name,
                   const std::vector<uint8_t>& bytes) {
  const std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
  const std::optional<EncodingSlip> slip = FindEncodingSlip(text);
  if (!slip) return;
  const std::string at = Named(*slip) + " at column " + std::to_string(slip->column);
  if (slip->stray) {
    return report.Warn({name, slip->line},
                       at + " is no UTF-8, yet the file holds UTF-8 characters: the reader reads "
                            "it all as Windows-1252, each of those as two or three characters; "
                            "save the file in one encoding");
  }
  const std::optional<Windows1252Text> converted = Windows1252FromUtf8(text);
  if (!converted) {
    return report.Warn({name, slip->line},
                       at + " is not in Windows-1252, so the reader takes this UTF-8 file byte "
                            "for byte, each accent as two characters; replace it, or save the "
                            "file with a byte-order mark to show it as \"?\"");
  }
  for (const int32_t line : converted->unmappedLines) {
    report.Warn({name, line}, "character(s) Windows-1252 lacks, shown as \"?\"" +
                                  (line == slip->line ? " (the first: " + at + ")" : ""));
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
      CheckEncoding(report, name, bytes);
    } else if (const auto misreading = GifMisreading(bytes)) {
      report.Warn({name}, *misreading);
    }
  }
}

void CheckUnused(CheckReport& report, const std::vector<std::string>& members) {
  for (const std::string& name : members) {
    const std::string key = MemberKey(name);
    const bool web = key == MemberKey(END_SCROLL_TEXT);  // read by the web edition alone
    if (!key.starts_with("data/") || web || ResourceWasAsked(name.c_str())) continue;
    report.Warn({name},
                "nothing in the issue uses this file: it is packed for nothing; remove "
                "it, or link it from an article");
  }
}
