#include <cstdio>

#include "magtool/archive_reader.h"
#include "magtool/commands.h"

namespace {

const char* MemberFault(const OpenedArchive& archive, const ResourceEntry& entry) {
  MemberResult result = CheckResourceMember(entry, archive.length);
  std::vector<uint8_t> bytes;
  if (result == MemberResult::Ok) result = ReadResourceMember(archive.file.get(), entry, bytes);
  if (result == MemberResult::ReadError) return "Read error !";
  if (result == MemberResult::HuffBroken) return "HUFF broken !";
  if (bytes.size() != static_cast<size_t>(entry.header.size)) return "size differs from its header";
  return nullptr;
}

}  // namespace

int VerifyCommand(const std::string& path) {
  OpenedArchive archive;
  if (!OpenArchiveFile(path, archive)) return 1;
  for (const ResourceEntry& entry : archive.entries) {
    if (const char* fault = MemberFault(archive, entry)) {
      std::fprintf(stderr, "magtool: %s: %s\n", entry.header.name, fault);
      return 1;
    }
  }
  std::printf("%zu members OK\n", archive.entries.size());
  return 0;
}
