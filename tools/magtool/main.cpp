// magtool: packs, lists, extracts and verifies the resource archive of an issue.
#include <cstdio>
#include <cstring>
#include <string>

#include "magtool/commands.h"

namespace {

constexpr const char* USAGE =
    "Usage: magtool pack [--store] DIR ARCHIVE   pack every file under DIR\n"
    "       magtool list ARCHIVE                 list the members\n"
    "       magtool extract ARCHIVE DESTDIR      write every member under DESTDIR\n"
    "       magtool verify ARCHIVE               decode and check every member\n";

int Usage() {
  std::fputs(USAGE, stderr);
  return 2;
}

int Pack(int argc, char** argv) {
  bool store = argc == 5 && std::strcmp(argv[2], "--store") == 0;
  if (argc != (store ? 5 : 4)) return Usage();
  return PackCommand(argv[argc - 2], argv[argc - 1], store);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return Usage();
  std::string command = argv[1];
  if (command == "pack") return Pack(argc, argv);
  if (command == "list" && argc == 3) return ListCommand(argv[2]);
  if (command == "extract" && argc == 4) return ExtractCommand(argv[2], argv[3]);
  if (command == "verify" && argc == 3) return VerifyCommand(argv[2]);
  if (command == "--help") {
    std::fputs(USAGE, stdout);
    return 0;
  }
  return Usage();
}
