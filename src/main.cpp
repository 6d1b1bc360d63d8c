// diskmag: the magazine reader. Reads the command line and starts the engine.
#include <cstdio>
#include <cstring>
#include <string>

#include "base/fatal.h"
#include "base/integer_reader.h"
#include "base/path_limit.h"
#include "engine/panel_engine.h"
#include "engine/reader.h"
#include "platform/sdl_hints.h"

namespace {

constexpr const char* USAGE =
    "Usage: diskmag [--issue DIR] [--watch] [--start ARTICLE] [--skip-setup]\n"
    "               [--window | --fullscreen] [--scale N] [--help] [--version]\n"
    "  --issue DIR      read the unpacked issue in DIR (which holds DATA/)\n"
    "                   instead of data.rs\n"
    "  --watch          show every saved change of the issue at once; a fault in\n"
    "                   it is shown over the last good page, not fatal, and\n"
    "                   check's warnings at its foot (F12: the next); in a\n"
    "                   window unless --fullscreen is given\n"
    "  --start ARTICLE  open ARTICLE (index.art, or DATA/arts/index.art) at once,\n"
    "                   without the opening cover\n"
    "  --skip-setup     start with the saved settings, without the setup dialog\n"
    "  --window, --fullscreen\n"
    "                   in a window or full screen, whatever the settings say\n"
    "  --scale N        in a window, show the screen N times larger (1 to 4)\n"
    "  --help           show this help\n"
    "  --version        show the version\n"
    "Run it in the directory that holds the issue's data.rs, or give --issue;\n"
    "its own files (settings, history, saved texts) go into the current directory.\n";

// A number from 1 to MAX_WINDOW_SCALE, else 0.
int ParseScale(const char* text) {
  return text == nullptr ? 0
                         : static_cast<int>(ParseDecimal(text, 1, MAX_WINDOW_SCALE).value_or(0));
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
    } else if (std::strcmp(argv[i], "--issue") == 0) {
      if (i + 1 >= argc || argv[i + 1][0] == '\0') return Usage("missing folder after", argv[i]);
      options.places.issueFolder = argv[++i];
    } else if (std::strcmp(argv[i], "--start") == 0) {
      if (i + 1 >= argc || argv[i + 1][0] == '\0') return Usage("missing article after", argv[i]);
      options.startArticle = ArticlePathOf(argv[++i]);
      if (options.startArticle.size() > PATH_MAX_CHARS) {
        return Usage("article name too long", argv[i]);
      }
    } else if (std::strcmp(argv[i], "--watch") == 0) {
      options.watch = true;
    } else if (std::strcmp(argv[i], "--window") == 0 || std::strcmp(argv[i], "--fullscreen") == 0) {
      const ScreenChoice choice =
          argv[i][2] == 'w' ? ScreenChoice::Window : ScreenChoice::FullScreen;
      if (options.screen != ScreenChoice::Saved && options.screen != choice) {
        return Usage("--window and --fullscreen together at", argv[i]);
      }
      options.screen = choice;
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
  // A preview stands beside the editor.
  if (options.watch && options.screen == ScreenChoice::Saved) options.screen = ScreenChoice::Window;
  return RunReader(options);
}
