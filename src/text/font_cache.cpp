#include <algorithm>
#include <string_view>

#include "base/fatal.h"
#include "text/font_manager.h"

namespace {

constexpr size_t NAME_MAX_LENGTH = 511;

std::string EntryName(const char* name) {
  const std::string_view whole(name);
  return std::string(whole.substr(0, std::min(whole.size(), NAME_MAX_LENGTH)));
}

// BMF glyphs do not change with size or style, so any BMF table will do.
bool Matches(const FontCacheEntry& entry, const std::string& name, int32_t sizeX, int32_t sizeY,
             int32_t bold, int32_t italic) {
  if (StrCaseCompare(entry.name.c_str(), name.c_str()) != 0) return false;
  const GlyphTable& table = *entry.table;
  if (table.kind == GLYPHS_BMF) return true;
  return table.sizeX == sizeX && table.sizeY == sizeY && table.bold == bold &&
         table.italic == italic;
}

GlyphTable* PushEntry(FontCache& cache, std::string name, std::unique_ptr<GlyphTable> table,
                      int32_t sharesPlanes) {
  GlyphTable* pushed = table.get();
  cache.insert(cache.begin(), std::make_unique<FontCacheEntry>(
                                  FontCacheEntry{std::move(name), std::move(table), sharesPlanes}));
  return pushed;
}

// A table that matches in underline too, else a copy of the newest match with
// the requested underline: underlining is drawn at draw time, so the copy
// shares the planes. Null when nothing matches.
GlyphTable* FindCached(FontCache& cache, const std::string& name, int32_t sizeX, int32_t sizeY,
                       int32_t bold, int32_t italic, int32_t underline) {
  const FontCacheEntry* found = nullptr;
  for (const auto& cached : cache) {
    if (!Matches(*cached, name, sizeX, sizeY, bold, italic)) continue;
    if (cached->table->underline == underline) return cached->table.get();
    if (found == nullptr) found = cached.get();
  }
  if (found == nullptr) return nullptr;
  auto copy = GlyphTableShare(*found->table);
  copy->underline = underline;
  return PushEntry(cache, found->name, std::move(copy), 1);
}

}  // namespace

GlyphTable* FontCacheGet(FontManager& manager, FontCache& cache, const char* name, int32_t sizeX,
                         int32_t sizeY, int32_t bold, int32_t italic, int32_t underline) {
  std::string entryName = EntryName(name);
  GlyphTable* cached = FindCached(cache, entryName, sizeX, sizeY, bold, italic, underline);
  if (cached != nullptr) return cached;
  auto table = FontOpen(manager, name, sizeX, sizeY, bold, italic, underline);
  if (table) return PushEntry(cache, std::move(entryName), std::move(table), 0);
  if (StrCaseCompare(name, FALLBACK_FONT) == 0) FatalError("\n Glyph cannot be preloaded !");
  // Through the cache, so that a missing face asked for again reuses the
  // fallback instead of rendering it once more.
  return FontCacheGet(manager, cache, FALLBACK_FONT, sizeX, sizeY, bold, italic, underline);
}

void FontCacheFree(FontCache& cache) { cache.clear(); }
