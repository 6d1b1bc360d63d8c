// Fuzzes the archive's directory reading and the extraction of every member
// it names, through the engine's own ResourceOpen on a data.rs made of the
// input. Fatal errors are expected; crashes, overruns and leaks are not.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <string>
#include <vector>

#include "engine/fatal.h"
#include "resources/archive.h"
#include "resources/archive_format.h"
#include "resources/file_ptr.h"

namespace {

struct Stopped : std::runtime_error {
  using std::runtime_error::runtime_error;
};

void ThrowFatal(int, const char*, const char* message) { throw Stopped(message); }

void EnterScratchDir() {
  static bool entered = false;
  if (entered) return;
  char pattern[] = "/tmp/archive_fuzz_XXXXXX";
  if (mkdtemp(pattern) == nullptr || chdir(pattern) != 0) std::abort();
  SetFatalHandler(ThrowFatal);
  entered = true;
}

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
    try {
      const char* handed = ResourceOpen(name.c_str());
      if (FilePtr file = OpenFile(handed, "rb")) std::fgetc(file.get());
      ResourceClose(handed);
    } catch (const Stopped&) {
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  EnterScratchDir();
  {
    FilePtr out = OpenFile(RESOURCE_ARCHIVE_FILE, "wb");
    if (!out || (size > 0 && std::fwrite(data, size, 1, out.get()) != 1)) std::abort();
  }
  std::vector<std::string> names = MemberNames();
  names.push_back("DATA/configs/setup.cfg");
  OpenEach(names);
  ResourceCloseAll();
  return 0;
}
