#include "support/startup_files.h"

#include "generators/gif_writer.h"
#include "generators/png_writer.h"
#include "support/scratch_dir.h"

void WriteStartupFiles() {
  WriteFileBytes("data.rs", {});
  WritePng("cursor.png", 2, 2, {0xFFFFFF, 0, 0, 0xFFFFFF});
  GifImage plasma{640, 480, std::vector<uint8_t>(640 * 480), std::vector<uint8_t>(768)};
  for (size_t i = 0; i < plasma.indices.size(); ++i) plasma.indices[i] = static_cast<uint8_t>(i % 640 / 3);
  WriteGif("plasma.gif", plasma);
}
