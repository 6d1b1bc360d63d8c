#include "engine/font_samples.h"

#include "engine/engine.h"
#include "text/font_manager.h"

namespace {

struct Sample {
  int32_t lineHeight;
  const char* face;  // null: the fixed font
  int32_t sizeX, sizeY, bold, italic, underline, antialias;
  uint32_t colour;
  const char* text;
};

// Codes 0x80-0x9F are the default face's typography overrides (euro sign,
// quotes, dashes).
constexpr Sample SAMPLES[] = {
    {26, nullptr, 0, 0, 0, 0, 0, 0, 0xE0E0E0, "Fixed 8x16: The quick brown fox - \xC7" "a d\xE9j\xE0 vu? 0123456789"},
    {40, "DATA/fonts/headline.bmf", 8, 16, 0, 0, 0, 1, 0xFFD040, "HEADLINE FONT: MARROWIN #1!"},
    {30, "DATA/fonts/arial.ttf", 12, 12, 0, 0, 0, 1, 0xFFFFFF,
     "Liberation Sans, antialiased: \x93quotes\x94 \x96 dashes \x97 and 5 \x80 \x85"},
    {30, "DATA/fonts/arial.ttf", 12, 12, 1, 0, 0, 1, 0xFFFFFF, "Liberation Sans bold: The quick brown fox"},
    {30, "DATA/fonts/arial.ttf", 12, 12, 0, 1, 0, 1, 0xFFFFFF, "Liberation Sans italic: jumps over the lazy dog"},
    {30, "DATA/fonts/arial.ttf", 12, 12, 0, 0, 1, 1, 0x80C0FF, "Liberation Sans underlined: a link to follow"},
    {30, "DATA/fonts/arial.ttf", 12, 12, 0, 0, 0, 0, 0xFFFFFF, "Liberation Sans without antialiasing"},
    {30, "DATA/fonts/serif.ttf", 14, 14, 0, 0, 0, 1, 0xF4E8D0, "Liberation Serif: Marrowin, issue #1, December"},
    {30, "DATA/fonts/serif.ttf", 14, 14, 1, 1, 0, 1, 0xF4E8D0, "Liberation Serif bold italic"},
    {30, "DATA/fonts/mono.ttf", 11, 11, 0, 0, 0, 1, 0xA0FFA0, "DejaVu Sans Mono: int main() { return 0; }"},
};

FontCache sampleCache;

}  // namespace

void DrawFontSamples(const Panel& panel, Picture& screen) {
  int32_t y = PanelTopHeight(panel) + 8;
  int32_t x = panel.textX;
  for (const Sample& s : SAMPLES) {
    y += s.lineHeight;
    if (s.face == nullptr) {
      FixedDraw(*EngineFixedFont, s.text, x, y, s.colour, screen);
    } else {
      GlyphTable* table = FontCacheGet(*EngineFontManager, sampleCache, s.face, s.sizeX, s.sizeY,
                                       s.bold, s.italic, s.underline);
      FontDraw(*EngineFontManager, s.text, x, y, s.colour, table, screen, s.antialias);
    }
  }
}

void FreeFontSamples() { FontCacheFree(sampleCache); }
