#include "text/fixed_font.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <optional>

#include "base/fatal.h"
#include "resources/resource_file.h"

namespace {

constexpr int32_t GLYPH_WIDTH = 8;
constexpr int32_t GLYPH_ROWS = 16;
constexpr int32_t ROWS_ABOVE = 12;  // above the baseline row
constexpr int32_t ROWS_BELOW = 3;
constexpr int32_t CHAR_CODE_SPACE = 32;

constexpr uint8_t ReverseBits(uint8_t b) {
  b = static_cast<uint8_t>((b & 0xF0) >> 4 | (b & 0x0F) << 4);
  b = static_cast<uint8_t>((b & 0xCC) >> 2 | (b & 0x33) << 2);
  return static_cast<uint8_t>((b & 0xAA) >> 1 | (b & 0x55) << 1);
}

int64_t LengthOf(const char* text) { return text == nullptr ? 0 : std::strlen(text); }

const uint8_t* GlyphRows(const FixedFont& font, uint8_t code) {
  return font.rows.data() + size_t{code} * GLYPH_ROWS;
}

// The glyph lies wholly inside: whole row bytes, no per-pixel bounds tests.
void DrawInside(const uint8_t* rows, int32_t x, int32_t top, uint32_t colour, Picture& picture) {
  for (int32_t r = 0; r < GLYPH_ROWS; ++r) {
    const uint8_t bits = rows[r];
    if (bits == 0) continue;
    uint32_t* out = picture.pixels + static_cast<size_t>(top + r) * picture.width + x;
    for (int k = 0; k < GLYPH_WIDTH; ++k) {
      if (bits >> k & 1) out[k] = colour;
    }
  }
}

// x and top may lie outside; only the pixels within the picture are written.
void DrawClipped(const uint8_t* rows, int64_t x, int64_t top, uint32_t colour, Picture& picture) {
  const int64_t rowEnd = std::min<int64_t>(top + GLYPH_ROWS, picture.height);
  const int64_t columnEnd = std::min<int64_t>(x + GLYPH_WIDTH, picture.width);
  for (int64_t row = std::max<int64_t>(top, 0); row < rowEnd; ++row) {
    const uint8_t bits = rows[row - top];
    uint32_t* out = picture.pixels + row * picture.width;
    for (int64_t column = std::max<int64_t>(x, 0); column < columnEnd; ++column) {
      if (bits >> (column - x) & 1) out[column] = colour;
    }
  }
}

void DrawGlyph(const FixedFont& font, uint8_t code, int64_t x, int64_t y, uint32_t colour,
               Picture& picture) {
  const int64_t top = y - ROWS_ABOVE;
  if (x + GLYPH_WIDTH < 0 || y + ROWS_BELOW + 1 < 0 || x >= picture.width ||
      top >= picture.height) {
    return;
  }
  const uint8_t* rows = GlyphRows(font, code);
  if (x >= 0 && top >= 0 && x + GLYPH_WIDTH < picture.width &&
      y + ROWS_BELOW + 1 < picture.height) {
    DrawInside(rows, static_cast<int32_t>(x), static_cast<int32_t>(top), colour, picture);
  } else {
    DrawClipped(rows, x, top, colour, picture);
  }
}

// The bytes read into rows (a longer file only as far as the font reaches), or
// nothing when the file cannot be opened. The member is given back before any
// error is reported.
std::optional<size_t> ReadRows(const char* path, std::array<uint8_t, 4096>& rows) {
  const ResourceFile resource(path);
  const FilePtr file = resource.Open();
  if (!file) return std::nullopt;
  return std::fread(rows.data(), 1, rows.size(), file.get());
}

}  // namespace

std::unique_ptr<FixedFont> FixedFontLoad(const char* path) {
  auto font = std::make_unique<FixedFont>();
  const std::optional<size_t> got = ReadRows(path, font->rows);
  if (!got) FatalError("Cannot open *.FNT file !");
  if (*got != font->rows.size()) FatalError("Internal error !");
  for (uint8_t& b : font->rows) b = ReverseBits(b);
  return font;
}

TextSize FixedMeasure(const char* text) {
  const int64_t length = LengthOf(text);
  if (length == 0) return {0, 0};
  return {static_cast<int32_t>(GLYPH_WIDTH * length), GLYPH_ROWS};
}

int32_t FixedFit(const char* text, int32_t limit) {
  if (text == nullptr || text[0] == '\0') return -1;
  const int64_t reaching = (int64_t{limit} + GLYPH_WIDTH - 1) / GLYPH_WIDTH;
  // A long text is read no further than the characters that can fit.
  return static_cast<int32_t>(strnlen(text, static_cast<size_t>(std::max<int64_t>(reaching, 1))));
}

int32_t FixedDraw(const FixedFont& font, const char* text, int32_t x, int32_t y, uint32_t colour,
                  Picture& picture) {
  const int64_t length = LengthOf(text);
  for (int64_t i = 0; i < length; ++i) {
    const auto code = static_cast<uint8_t>(text[i]);
    if (code != CHAR_CODE_SPACE) DrawGlyph(font, code, x + GLYPH_WIDTH * i, y, colour, picture);
  }
  return static_cast<int32_t>(GLYPH_WIDTH * length);
}

int32_t FixedHit(int32_t px, int32_t py, const char* text, int32_t x, int32_t y) {
  const int64_t length = LengthOf(text);
  if (length == 0) return 0;
  const bool across = px >= x && px <= x + GLYPH_WIDTH * length;
  const bool down = int64_t{py} >= int64_t{y} - ROWS_ABOVE && py <= y;
  return across && down ? 1 : 0;
}
