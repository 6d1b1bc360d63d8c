// Fuzzes reading the archive's directory and extracting every member it names
// through ResourceOpen. Fatal errors are expected; crashes, overruns, leaks not.
#include <string>
#include <vector>

#include "fuzz_support.h"
#include "resources/archive.h"
#include "resources/archive_format.h"

namespace {

std::vector<std::string> MemberNames() {
  std::vector<ResourceEntry> entries;
  FilePtr file = OpenFile(RESOURCE_ARCHIVE_FILE, "rb");
  if (file) ReadResourceDirectory(file.get(), entries);
  std::vector<std::string> names;
  for (const ResourceEntry& entry : entries) names.emplace_back(entry.header.name);
  return names;
}

void OpenEach(const std::vector<std::string>& names) {
  for (const std::string& name : names) {
    AllowFatal([&] {
      const char* handed = ResourceOpen(name.c_str());
      if (FilePtr file = OpenFile(handed, "rb")) std::fgetc(file.get());
      ResourceClose(handed);
    });
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  EnterScratchDir(ThrowOnFatal);
  WriteInput(RESOURCE_ARCHIVE_FILE, data, size);
  std::vector<std::string> names = MemberNames();
  names.push_back("DATA/configs/setup.cfg");
  OpenEach(names);
  ResourceCloseAll();
  return 0;
}
