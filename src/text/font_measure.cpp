#include <algorithm>

#include "text/font_internal.h"
#include "text/font_manager.h"

namespace {

// Tall capitals, ascenders, descenders and a hyphen. Only rows above the
// baseline count: ink below it (descenders, '_') hangs under the box.
constexpr char HEIGHT_SAMPLE[] = "TAPiry-jpg";

bool Absent(const char* text, const GlyphTable* table) {
  return text == nullptr || text[0] == '\0' || table == nullptr;
}

float PenSum(const FontManager& manager, const char* text, const GlyphTable& table) {
  float sum = 0;
  for (const char* p = text; *p != '\0'; ++p) {
    sum = PenAfter(sum, manager, table, static_cast<uint8_t>(*p));
  }
  return sum;
}

int32_t SampleHeight(const GlyphTable& table) {
  int32_t height = table.height;
  for (const char* p = HEIGHT_SAMPLE; *p != '\0'; ++p) {
    height = std::max(height, table.height + table.rise[static_cast<uint8_t>(*p)]);
  }
  return height;
}

}  // namespace

TextSize FontMeasure(const FontManager& manager, const char* text, const GlyphTable* table) {
  if (Absent(text, table)) return {0, 0};
  const auto width = static_cast<int32_t>(PenPixel(PenSum(manager, text, *table)));
  return {width, SampleHeight(*table)};
}

int32_t FontFit(const FontManager& manager, const char* text, const GlyphTable* table,
                int32_t limit) {
  if (Absent(text, table)) return -1;
  float sum = 0;
  int32_t count = 0;
  for (const char* p = text; *p != '\0'; ++p) {
    sum = PenAfter(sum, manager, *table, static_cast<uint8_t>(*p));
    ++count;
    if (PenPixel(sum) >= limit) break;
  }
  return count;
}

int32_t FontHit(const FontManager& manager, int32_t px, int32_t py, const char* text, int32_t x,
                int32_t y, const GlyphTable* table) {
  if (Absent(text, table)) return 0;
  const int64_t right = int64_t{x} + PenPixel(PenSum(manager, text, *table));
  const int64_t top = int64_t{y} - table->sizeY;
  return px >= x && px <= right && py >= top && py <= y ? 1 : 0;
}
