#include "text/font_manager.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <cstring>
#include <optional>
#include <string_view>

#include "base/fatal.h"
#include "base/integer_reader.h"
#include "text/bmf.h"
#include "text/font_internal.h"

namespace {

constexpr char MASK_MARK[] = ":MSK:";
constexpr size_t MASK_MARK_LENGTH = sizeof(MASK_MARK) - 1;

bool IsBmfName(const char* name) {
  const size_t length = std::strlen(name);
  return length >= 4 && StrCaseCompare(name + length - 4, ".BMF") == 0;
}

// Cuts a ":MSK:" suffix off name and returns its palette. The mark counts only
// with at least one character after it.
GrayPalette TakeMask(std::string& name) {
  if (name.size() <= MASK_MARK_LENGTH) return DEFAULT_GRAY_PALETTE;
  const size_t at = name.find(MASK_MARK);
  if (at == std::string::npos || at > name.size() - MASK_MARK_LENGTH - 1) {
    return DEFAULT_GRAY_PALETTE;
  }
  const std::optional<uint32_t> mask =
      ParseHex(std::string_view(name).substr(at + MASK_MARK_LENGTH));
  if (!mask) FatalError("Bad vals !");
  name.resize(at);
  return MskPalette(*mask);
}

TrueTypeFont* FindFont(FontManager& manager, const std::string& name) {
  for (auto& font : manager.fonts) {
    if (StrCaseCompare(font->name.c_str(), name.c_str()) == 0) return font.get();
  }
  return nullptr;
}

const GlyphTable* FindRendered(const FontManager& manager, const TrueTypeFont& font,
                               const GrayPalette& palette, const GlyphTable& wanted) {
  for (const RenderedTable& kept : manager.rendered) {
    const GlyphTable& t = *kept.table;
    if (kept.font == &font && kept.palette == palette && t.sizeX == wanted.sizeX &&
        t.sizeY == wanted.sizeY && t.bold == wanted.bold && t.italic == wanted.italic) {
      return &t;
    }
  }
  return nullptr;
}

// The table itself when the kept ones have no room for it, else a shared copy.
std::unique_ptr<GlyphTable> Keep(FontManager& manager, const TrueTypeFont& font,
                                 const GrayPalette& palette, std::unique_ptr<GlyphTable> table) {
  // Both planes: TrueType tables are rendered with edges.
  const size_t bytes = 2 * static_cast<size_t>(table->stride) * static_cast<size_t>(table->height);
  if (bytes > RENDERED_BYTES_MAX - manager.renderedBytes) return table;
  manager.renderedBytes += bytes;
  manager.rendered.push_back({&font, palette, std::move(table)});
  return GlyphTableShare(*manager.rendered.back().table);
}

}  // namespace

GrayPalette MskPalette(uint32_t mask) {
  GrayPalette palette{};
  for (size_t level = 0; level < palette.size(); ++level) {
    const uint32_t bit = 1u << level;
    if (mask & bit) palette[level] = 1;
    if ((mask >> 8) & bit) palette[level] = 3;
    if ((mask >> 16) & bit) palette[level] = 2;
  }
  return palette;
}

std::unique_ptr<FontManager> FontManagerCreate() {
  auto manager = std::make_unique<FontManager>();
  FT_Library engine = nullptr;
  if (FT_Init_FreeType(&engine) != 0) FatalError("FreeType: Cannot init !");
  manager->engine = engine;
  return manager;
}

void FontManagerAddFont(FontManager& manager, const char* line) {
  manager.fonts.push_back(TrueTypeOpen(manager.engine, line));
}

void FontManagerDestroy(std::unique_ptr<FontManager>& manager) {
  if (!manager) return;
  manager->rendered.clear();
  // Faces go before the library that made them.
  for (auto& font : manager->fonts) TrueTypeClose(*font);
  manager->fonts.clear();
  FT_Done_FreeType(manager->engine);
  manager.reset();
}

std::unique_ptr<GlyphTable> FontOpen(FontManager& manager, const char* name, int32_t sizeX,
                                     int32_t sizeY, int32_t bold, int32_t italic,
                                     int32_t underline) {
  if (IsBmfName(name)) return BmfLoad(name, sizeX, sizeY, bold, italic, underline);
  if (manager.fonts.empty()) return nullptr;
  std::string lookup = name;
  const GrayPalette palette = TakeMask(lookup);
  TrueTypeFont* font = FindFont(manager, lookup);
  if (font == nullptr) return nullptr;
  auto table = std::make_unique<GlyphTable>();
  table->kind = GLYPHS_TRUETYPE;
  table->sizeX = sizeX;
  table->sizeY = sizeY;
  table->bold = bold;
  table->italic = italic;
  // Underlining is drawn at draw time: a table rendered without it serves.
  if (const GlyphTable* kept = FindRendered(manager, *font, palette, *table)) {
    table = GlyphTableShare(*kept);
  } else {
    if (!manager.buffers) manager.buffers = std::make_unique<RenderBuffers>();
    TrueTypeRender(*font, *table, *manager.buffers, 1, palette);
    table = Keep(manager, *font, palette, std::move(table));
  }
  table->underline = underline;
  return table;
}

bool FontIsRegistered(FontManager& manager, const char* name) {
  std::string lookup = name;
  TakeMask(lookup);
  return FindFont(manager, lookup) != nullptr;
}

void FontFree(std::unique_ptr<GlyphTable>& table) { table.reset(); }
