// diskmag: the magazine reader. Reads the command line and starts the engine.
#include <cstdio>
#include <cstring>

#include "engine/reader.h"

namespace {

constexpr const char* USAGE =
    "Usage: diskmag [--skip-setup] [--help] [--version]\n"
    "  --skip-setup  start with the saved settings, without the setup dialog\n"
    "  --help        show this help\n"
    "  --version     show the version\n"
    "Run it in the directory that holds the issue's data.rs.\n";

}  // namespace

int main(int argc, char** argv) {
  ReaderOptions options{};
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--skip-setup") == 0) {
      options.skipSetup = true;
    } else if (std::strcmp(argv[i], "--help") == 0) {
      std::fputs(USAGE, stdout);
      return 0;
    } else if (std::strcmp(argv[i], "--version") == 0) {
      std::puts("diskmag " DISKMAG_VERSION);
      return 0;
    } else {
      std::fprintf(stderr, "diskmag: unknown option '%s'\n%s", argv[i], USAGE);
      return 2;
    }
  }
  return RunReader(options);
}
