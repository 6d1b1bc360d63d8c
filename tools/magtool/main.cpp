// magtool: packs, lists, extracts and verifies the resource archive of an issue,
// renders a reader frame or a sheet of every page from one, checks one,
// writes a new one, and writes one as a web site.
#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <initializer_list>
#include <new>
#include <optional>
#include <string>

#include "base/integer_reader.h"
#include "engine/panel_engine.h"
#include "engine/video.h"
#include "magtool/commands.h"

namespace {

constexpr const char* USAGE =
    "Usage: magtool pack [--store] [--follow-links] DIR ARCHIVE\n"
    "                                            pack every file under DIR; a link that\n"
    "                                            leads out of DIR only with --follow-links\n"
    "       magtool list ARCHIVE                 list the members\n"
    "       magtool extract ARCHIVE DESTDIR      write every member under DESTDIR\n"
    "       magtool verify ARCHIVE               decode and check every member\n"
    "       magtool render ARCHIVE|DIR ARTICLE OUT.png [--panel N] [--page K]\n"
    "                      [--bpp 15|16|32] [--mouse X,Y] [--outline]\n"
    "                                            draw the reader's frame of ARTICLE\n"
    "       magtool sheet ARCHIVE|DIR OUT.png [--panel N] [--size WxH]\n"
    "                                            draw every page the reader can reach\n"
    "                                            and print each page's links\n"
    "       magtool check [--strict] DIR|ARCHIVE load the issue as the reader does and\n"
    "                                            print every problem, one a line, as\n"
    "                                            PATH:LINE: MESSAGE or PATH: MESSAGE,\n"
    "                                            and warnings as PATH:LINE: warning: ...;\n"
    "                                            status 1 when there is a problem (or,\n"
    "                                            with --strict, a warning), else 0\n"
    "                                            and an \"ok: ...\" summary\n"
    "       magtool new DIR [--name NAME]        write a small, complete issue into DIR,\n"
    "                                            a new or empty folder (NAME: \"My magazine\")\n"
    "       magtool web [--follow-links] [--no-engine] ARCHIVE|DIR OUTDIR\n"
    "                                            write the issue as a static web site,\n"
    "                                            with the web engine and the archive\n"
    "                                            when it is found, unless --no-engine\n";

int Usage() {
  std::fputs(USAGE, stderr);
  return 2;
}

struct Flag {
  const char* word;
  bool* value;
};

// The flags before the two operands, each at most once; false on any other word.
bool ParseFlags(int argc, char** argv, std::initializer_list<Flag> flags) {
  for (int i = 2; i < argc - 2; ++i) {
    const Flag* found = std::find_if(flags.begin(), flags.end(), [&](const Flag& flag) {
      return std::strcmp(flag.word, argv[i]) == 0;
    });
    if (found == flags.end() || *found->value) return false;
    *found->value = true;
  }
  return true;
}

int Pack(int argc, char** argv) {
  PackOptions options;
  const bool parsed = ParseFlags(
      argc, argv, {{"--store", &options.store}, {"--follow-links", &options.followLinks}});
  if (argc < 4 || !parsed) return Usage();
  return PackCommand(argv[argc - 2], argv[argc - 1], options);
}

int Web(int argc, char** argv) {
  if (argc < 4) return Usage();
  WebOptions options{argv[argc - 2], argv[argc - 1]};
  bool noEngine = false;
  const bool parsed = ParseFlags(
      argc, argv, {{"--follow-links", &options.followLinks}, {"--no-engine", &noEngine}});
  if (!parsed) return Usage();
  options.engine = !noEngine;
  return WebCommand(options);
}

bool ParseInt(const char* text, int& value) {
  const std::optional<int64_t> parsed = ParseDecimal(text, INT_MIN, INT_MAX);
  if (parsed) value = static_cast<int>(*parsed);
  return parsed.has_value();
}

bool ParseMouse(const std::string& text, RenderOptions& options) {
  const size_t comma = text.find(',');
  return comma != std::string::npos && ParseInt(text.substr(0, comma).c_str(), options.mouseX) &&
         ParseInt(text.substr(comma + 1).c_str(), options.mouseY);
}

bool ParseRenderOption(const std::string& name, const char* value, RenderOptions& options) {
  if (name == "--panel") return ParseInt(value, options.panel);
  if (name == "--page") return ParseInt(value, options.page) && options.page >= 0;
  if (name == "--bpp") {
    return ParseInt(value, options.bpp) &&
           (options.bpp == 15 || options.bpp == 16 || options.bpp == 32);
  }
  return name == "--mouse" && ParseMouse(value, options);
}

int Render(int argc, char** argv) {
  if (argc < 5) return Usage();
  RenderOptions options{argv[2], ArticlePathOf(argv[3]), argv[4]};
  for (int i = 5; i < argc; ++i) {
    if (std::strcmp(argv[i], "--outline") == 0) {
      options.outline = true;
    } else if (i + 1 == argc || !ParseRenderOption(argv[i], argv[i + 1], options)) {
      return Usage();
    } else {
      ++i;
    }
  }
  return RenderCommand(options);
}

// "WxH", from 16x12 up to the screen's size.
bool ParseSize(const std::string& text, SheetOptions& options) {
  const size_t x = text.find('x');
  return x != std::string::npos && ParseInt(text.substr(0, x).c_str(), options.width) &&
         ParseInt(text.substr(x + 1).c_str(), options.height) && options.width >= 16 &&
         options.height >= 12 && options.width <= SCREEN_WIDTH && options.height <= SCREEN_HEIGHT;
}

int Sheet(int argc, char** argv) {
  if (argc < 4 || (argc - 4) % 2 != 0) return Usage();
  SheetOptions options{argv[2], argv[3]};
  for (int i = 4; i < argc; i += 2) {
    const std::string name = argv[i];
    const bool parsed = name == "--panel"  ? ParseInt(argv[i + 1], options.panel)
                        : name == "--size" ? ParseSize(argv[i + 1], options)
                                           : false;
    if (!parsed) return Usage();
  }
  return SheetCommand(options);
}

constexpr const char* DEFAULT_NAME = "My magazine";

int New(int argc, char** argv) {
  if (argc == 3) return NewCommand(argv[2], DEFAULT_NAME);
  if (argc != 5 || std::strcmp(argv[3], "--name") != 0) return Usage();
  return NewCommand(argv[2], argv[4]);
}

int Dispatch(int argc, char** argv) {
  if (argc < 2) return Usage();
  std::string command = argv[1];
  if (command == "pack") return Pack(argc, argv);
  if (command == "list" && argc == 3) return ListCommand(argv[2]);
  if (command == "extract" && argc == 4) return ExtractCommand(argv[2], argv[3]);
  if (command == "verify" && argc == 3) return VerifyCommand(argv[2]);
  if (command == "render") return Render(argc, argv);
  if (command == "sheet") return Sheet(argc, argv);
  if (command == "check" && argc == 3) return CheckCommand(argv[2], false);
  if (command == "check" && argc == 4 && std::strcmp(argv[2], "--strict") == 0) {
    return CheckCommand(argv[3], true);
  }
  if (command == "new") return New(argc, argv);
  if (command == "web") return Web(argc, argv);
  if (command == "--help") {
    std::fputs(USAGE, stdout);
    return 0;
  }
  return Usage();
}

}  // namespace

// Exhausted memory is reported once it has unwound to here: every owner has let
// go by then, and the exit handlers still remove extracted files.
int main(int argc, char** argv) {
  try {
    return Dispatch(argc, argv);
  } catch (const std::bad_alloc&) {
    std::fputs("magtool: out of memory\n", stderr);
    return 1;
  }
}
