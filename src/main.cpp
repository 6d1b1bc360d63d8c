// diskmag: the magazine reader. Reads the command line and starts the engine.
#include <cstdio>
#include <cstring>

#include "base/integer_reader.h"
#include "engine/reader.h"
#include "engine/sdl_hints.h"

namespace {

constexpr const char* USAGE =
    "Usage: diskmag [--skip-setup] [--scale N] [--help] [--version]\n"
    "  --skip-setup  start with the saved settings, without the setup dialog\n"
    "  --scale N     in a window, show the screen N times larger (1 to 4)\n"
    "  --help        show this help\n"
    "  --version     show the version\n"
    "Run it in the directory that holds the issue's data.rs.\n";

// A number from 1 to MAX_WINDOW_SCALE, else 0.
int ParseScale(const char* text) {
  return text == nullptr ? 0 : static_cast<int>(ParseDecimal(text, 1, MAX_WINDOW_SCALE).value_or(0));
}

int Usage(const char* complaint, const char* argument) {
  std::fprintf(stderr, "diskmag: %s '%s'\n%s", complaint, argument, USAGE);
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  ReaderOptions options{false, 1};
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--skip-setup") == 0) {
      options.skipSetup = true;
    } else if (std::strcmp(argv[i], "--scale") == 0) {
      options.windowScale = ParseScale(argv[i + 1]);
      if (options.windowScale == 0) return Usage("bad scale", i + 1 < argc ? argv[i + 1] : "");
      ++i;
    } else if (std::strcmp(argv[i], "--help") == 0) {
      std::fputs(USAGE, stdout);
      return 0;
    } else if (std::strcmp(argv[i], "--version") == 0) {
      std::puts("diskmag " DISKMAG_VERSION);
      return 0;
    } else {
      return Usage("unknown option", argv[i]);
    }
  }
  return RunReader(options);
}
