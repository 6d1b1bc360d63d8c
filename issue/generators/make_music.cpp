// Writes the demo issue's tunes into DATA_DIR/msx: each composed here and
// saved as the tracker module its name promises.
#include <cstdio>
#include <exception>
#include <filesystem>
#include <string>
#include <vector>

#include "generators/file_writer.h"
#include "generators/module_writers.h"
#include "generators/tunes.h"

namespace {

struct Tune {
  const char* file;
  Song (*compose)();
  std::vector<uint8_t> (*encode)(const Song&);
};

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fputs("Usage: make_music DATA_DIR\n", stderr);
    return 2;
  }
  const Tune tunes[] = {{"beg.xm", Opening, EncodeXm},
                        {"tune1.xm", HarbourLights, EncodeXm},
                        {"tune2.xm", SectorZero, EncodeXm},
                        {"tune3.mod", CopperBars, EncodeMod},
                        {"tune4.s3m", NightShift, EncodeS3m}};
  const std::filesystem::path dir = std::filesystem::path(argv[1]) / "msx";
  std::filesystem::create_directories(dir);
  for (const Tune& tune : tunes) {
    try {
      if (!WriteBytes(dir / tune.file, tune.encode(tune.compose()))) {
        std::fprintf(stderr, "make_music: cannot write %s\n", tune.file);
        return 1;
      }
    } catch (const std::exception& error) {
      std::fprintf(stderr, "make_music: %s: %s\n", tune.file, error.what());
      return 1;
    }
  }
  return 0;
}
