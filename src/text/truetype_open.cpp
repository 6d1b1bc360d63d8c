// Opening a TrueType font and reading its TTT file: 18 lines, each a
// character (the line's first byte) and, after optional blanks, a glyph index
// written as "%i" reads it (decimal, 0x hexadecimal, 0 octal, optional sign).
// Lines of any length are read whole; lines after the eighteenth are ignored.
// A missing line, or one without both parts or with an index beyond 32 bits,
// is fatal.
#include <optional>
#include <string_view>

#include "base/fatal.h"
#include "base/integer_reader.h"
#include "base/line_reader.h"
#include "base/path_limit.h"
#include "resources/archive.h"
#include "resources/byte_reader.h"
#include "resources/resource_file.h"
#include "text/outline_raster.h"
#include "text/truetype.h"

namespace {

constexpr size_t NAME_MAX_CHARS = 511;
// Characters kept of a line, as of every text configuration line; the rest is skipped.
constexpr size_t TTT_LINE_MAX = PATH_MAX_CHARS;
constexpr const char* TTT_ERROR = "Error parsing *.TTT file !";

struct FaceCloser {
  void operator()(FT_Face face) const { FT_Done_Face(face); }
};
using FacePtr = std::unique_ptr<FT_FaceRec_, FaceCloser>;

// "%c %i": the line's first byte, then the glyph index.
bool ParseOverride(const std::string& line, std::array<int32_t, 2>& pair) {
  if (line.empty()) return false;
  const std::optional<int32_t> index = ParseInt(std::string_view(line).substr(1));
  if (!index) return false;
  pair = {static_cast<unsigned char>(line[0]), *index};
  return true;
}

void ReadOverrides(TrueTypeFont& font, const std::string& fontPath) {
  std::string path = fontPath;
  path.back() = 't';
  const ResourceFile overrides(path);
  const FilePtr file = overrides.OpenText();
  if (!file) return;
  for (auto& pair : font.overrides) {
    const std::optional<WholeLine> line = ReadWholeLine(file.get(), TTT_LINE_MAX);
    if (!line || !ParseOverride(line->text, pair)) FatalError(TTT_ERROR);
  }
}

// Only faces with outlines can be rendered; a bitmap-only face is refused
// here rather than at its first rendering.
FacePtr OpenFace(FT_Library engine, const std::vector<uint8_t>& bytes) {
  FT_Face opened = nullptr;
  const FT_Error error =
      FT_New_Memory_Face(engine, bytes.data(), static_cast<FT_Long>(bytes.size()), 0, &opened);
  FacePtr face(error == 0 ? opened : nullptr);
  if (!face || !FT_IS_SCALABLE(face)) FatalError("FreeType: Cannot read TTF !");
  return face;
}

// The first character map, by which codes without an override find glyphs.
void SelectFirstCharmap(FT_Face face) {
  if (face->num_charmaps < 1 || FT_Set_Charmap(face, face->charmaps[0]) != 0) {
    FatalError("FreeType: Could not create charmap !");
  }
}

}  // namespace

// The face's own glyph slot and size object stand for the glyph container
// and the instance; the resolution is given with each rendering's sizes.
std::unique_ptr<TrueTypeFont> TrueTypeOpen(FT_LibraryRec_* engine, const char* path) {
  auto font = std::make_unique<TrueTypeFont>();
  font->overrides = {};
  font->engine = engine;
  font->name = std::string(path).substr(0, NAME_MAX_CHARS);
  ResourceFile fontFile(path);
  if (!ReadWholeFile(fontFile.name(), font->bytes)) FatalError("FreeType: Cannot read TTF !");
  FacePtr face = OpenFace(engine, font->bytes);
  SelectFirstCharmap(face.get());
  ReadOverrides(*font, path);
  font->face = face.release();
  font->fileName = fontFile.Release();
  return font;
}

void TrueTypeClose(TrueTypeFont& font) {
  FT_Done_Face(font.face);
  font.face = nullptr;
  ResourceClose(font.fileName.c_str());
}
