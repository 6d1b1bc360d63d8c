#include "magtool/contact_sheet.h"

#include <cmath>

#include "pictures/draw.h"

namespace {

constexpr int32_t GAP = 8;
constexpr int32_t LABEL_HEIGHT = 16;
constexpr int32_t LABEL_BASELINE = 12;  // below the thumbnail: glyph rows 0..15 of the strip
constexpr int32_t GLYPH_WIDTH = 8;
constexpr uint32_t GROUND = 0x202020;
constexpr uint32_t INK = 0xE0E0E0;

// The average of the screen's pixels in [x0, x1) x [y0, y1), a box not empty.
uint32_t BoxAverage(const Picture& screen, int32_t x0, int32_t y0, int32_t x1, int32_t y1) {
  uint32_t r = 0, g = 0, b = 0;
  for (int32_t y = y0; y < y1; ++y) {
    for (int32_t x = x0; x < x1; ++x) {
      const uint32_t p = screen.pixels[y * screen.width + x];
      r += (p >> 16) & 0xFF;
      g += (p >> 8) & 0xFF;
      b += p & 0xFF;
    }
  }
  const auto n = static_cast<uint32_t>((x1 - x0) * (y1 - y0));
  return ((r + n / 2) / n) << 16 | ((g + n / 2) / n) << 8 | (b + n / 2) / n;
}

int32_t Columns(size_t count) {
  const auto root = static_cast<int32_t>(std::ceil(std::sqrt(static_cast<double>(count))));
  return count <= SHEET_COLUMNS ? static_cast<int32_t>(count) : std::max(SHEET_COLUMNS, root);
}

}  // namespace

void SheetAdd(ContactSheet& sheet, const Picture& screen, const std::string& label) {
  if (sheet.thumbnails.size() >= SHEET_MAX_FRAMES) {
    ++sheet.dropped;
    return;
  }
  Picture thumbnail;
  PictureAlloc(thumbnail, sheet.width, sheet.height);
  const auto edge = [](int32_t i, int32_t side, int32_t whole) { return i * whole / side; };
  for (int32_t y = 0; y < thumbnail.height; ++y) {
    for (int32_t x = 0; x < thumbnail.width; ++x) {
      thumbnail.pixels[y * thumbnail.width + x] = BoxAverage(
          screen, edge(x, sheet.width, screen.width), edge(y, sheet.height, screen.height),
          edge(x + 1, sheet.width, screen.width), edge(y + 1, sheet.height, screen.height));
    }
  }
  sheet.labels.push_back(label.substr(0, static_cast<size_t>(thumbnail.width / GLYPH_WIDTH)));
  sheet.thumbnails.push_back(std::move(thumbnail));
}

Picture SheetCompose(const ContactSheet& sheet, const FixedFont& font) {
  const Picture& first = sheet.thumbnails.front();
  const int32_t cellWidth = first.width + GAP, cellHeight = first.height + LABEL_HEIGHT + GAP;
  const int32_t columns = Columns(sheet.thumbnails.size());
  const auto rows = static_cast<int32_t>((sheet.thumbnails.size() + columns - 1) / columns);
  Picture picture;
  PictureAlloc(picture, columns * cellWidth + GAP, rows * cellHeight + GAP);
  FillRect(GROUND, 0, 0, picture.width, picture.height, picture, DRAW_OPAQUE, 1.0f);
  for (size_t i = 0; i < sheet.thumbnails.size(); ++i) {
    const auto column = static_cast<int32_t>(i % columns), row = static_cast<int32_t>(i / columns);
    const int32_t x = GAP + column * cellWidth, y = GAP + row * cellHeight;
    Blit(sheet.thumbnails[i], x, y, picture, DRAW_OPAQUE, 1.0f);
    FixedDraw(font, sheet.labels[i].c_str(), x, y + first.height + LABEL_BASELINE, INK, picture);
  }
  return picture;
}
