// Writes the demo issue's key definitions "configs/keydefs.cfg" (see key_defs.h).
#include <cstdio>

#include "generators/key_defs.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fputs("Usage: make_keydefs DATA_DIR\n", stderr);
    return 2;
  }
  return WriteKeyDefs(argv[1]) ? 0 : 1;
}
