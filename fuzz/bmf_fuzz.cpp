// Fuzzes the BMF font loader: the first byte is the length of the script
// "font.bmf", the rest the charset "cs.txt", beside a fixed 64 x 8 "glyphs.bmp".
// Fatal errors are expected; crashes, overruns, leaks and glyphs that reach
// outside their plane rows are findings.
#include <algorithm>
#include <cstdlib>
#include <vector>

#include "fuzz_support.h"
#include "generators/bmp_writer.h"
#include "resources/archive.h"
#include "text/bmf.h"

namespace {

constexpr uint32_t PICTURE_WIDTH = 64, PICTURE_HEIGHT = 8;  // rows of whole words

// White, red and grey pixels in a pattern without long runs, i counting from the bottom row.
std::vector<uint8_t> GlyphBmp() {
  std::vector<uint32_t> pixels(PICTURE_WIDTH * PICTURE_HEIGHT);
  for (uint32_t i = 0; i < pixels.size(); ++i) {
    const uint32_t kind = (i * 7 + i / PICTURE_WIDTH * 3) % 5;
    pixels[pixels.size() - (i / PICTURE_WIDTH + 1) * PICTURE_WIDTH + i % PICTURE_WIDTH] =
        kind == 0 ? 0xFFFFFF : kind == 1 ? 0xFF0000 : 0x808080;
  }
  return EncodeBmp24(PICTURE_WIDTH, PICTURE_HEIGHT, pixels);
}

void WriteFixedFiles() {
  static bool written = false;
  if (written) return;
  WriteInput(RESOURCE_ARCHIVE_FILE, nullptr, 0);
  const std::vector<uint8_t> bmp = GlyphBmp();
  WriteInput("glyphs.bmp", bmp.data(), bmp.size());
  written = true;
}

// Every drawn glyph's bytes lie within its plane row.
void CheckTable(const GlyphTable& table) {
  for (int c = 0; c < 256; ++c) {
    if (table.width[c] == 0) continue;
    const int64_t end = int64_t{table.offset[c]} + (int64_t{table.width[c]} + 7) / 8;
    if (table.width[c] < 0 || table.offset[c] < 0 || end > table.stride) std::abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  EnterScratchDir(ThrowOnFatal);
  WriteFixedFiles();
  const size_t scriptSize = std::min<size_t>(data[0], size - 1);
  WriteInput("font.bmf", data + 1, scriptSize);
  WriteInput("cs.txt", data + 1 + scriptSize, size - 1 - scriptSize);
  AllowFatal([] {
    if (auto table = BmfLoad("DATA/fonts/font.bmf", 12, 12, 0, 0, 0)) CheckTable(*table);
  });
  ResourceCloseAll();
  return 0;
}
