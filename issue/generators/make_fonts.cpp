// Generates the demo issue's fonts into DATA_DIR (see font_writer.h): the
// fixed font from a monospaced face, the headline font from a bold one, and
// three TrueType faces: arial.ttf (a sans face with Arial's metrics),
// serif.ttf and mono.ttf.
#include <cstdio>

#include "generators/font_writer.h"

int main(int argc, char** argv) {
  if (argc != 7) {
    std::fputs("Usage: make_fonts DATA_DIR MONO.ttf HEADLINE.ttf SANS.ttf SERIF.ttf MONO_FACE.ttf\n", stderr);
    return 2;
  }
  const bool ok = WriteFonts(argv[1], argv[2], argv[3],
                             {{"arial.ttf", argv[4]}, {"serif.ttf", argv[5]}, {"mono.ttf", argv[6]}});
  if (!ok) std::fprintf(stderr, "make_fonts: cannot make the fonts in %s\n", argv[1]);
  return ok ? 0 : 1;
}
