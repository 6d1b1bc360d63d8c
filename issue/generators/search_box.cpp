#include "generators/search_box.h"

#include <cstdint>
#include <filesystem>

#include "generators/png_writer.h"

namespace {

constexpr int W = 600, H = 56;
constexpr int FIELD_X = 96, FIELD_Y = 12, FIELD_W = 492, FIELD_H = 32;
constexpr uint32_t NAVY = 0x12204A, NAVY_LIGHT = 0x22356A, GOLD = 0xE8B84A;
constexpr uint32_t LABEL = 0xE8ECF4, FIELD = 0x060A1C, FIELD_EDGE = 0x4A5E96;

Canvas SearchBox(TextPainter& text) {
  Canvas c = MakeCanvas(W, H, 0);
  RoundedBox(c, 0, 0, W, H, 12, GOLD);
  RoundedBox(c, 2, 2, W - 4, H - 4, 10, NAVY);
  VerticalGradient(c, 8, 4, W - 16, H / 2 - 4, NAVY_LIGHT, NAVY);
  text.Draw(c, 14, FIELD_Y + 22, U"Search:", 17, LABEL);
  RoundedBox(c, FIELD_X, FIELD_Y, FIELD_W, FIELD_H, 6, FIELD_EDGE);
  RoundedBox(c, FIELD_X + 1, FIELD_Y + 1, FIELD_W - 2, FIELD_H - 2, 5, FIELD);
  return c;
}

}  // namespace

bool WriteSearchBox(const std::string& dataDir, TextPainter& text) {
  const std::string dir = dataDir + "/panels";
  std::error_code error;
  std::filesystem::create_directories(dir, error);
  const Canvas box = SearchBox(text);
  return WritePng(dir + "/search.png", box.width, box.height, box.pixels);
}
