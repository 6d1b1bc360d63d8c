#include "text/bmf.h"

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "base/fatal.h"
#include "base/integer_reader.h"
#include "base/line_reader.h"
#include "pictures/image_loader.h"
#include "resources/byte_reader.h"
#include "resources/file_ptr.h"
#include "resources/resource_file.h"

namespace {

constexpr const char* SCRIPT_ERROR = "Bitmap font script error !";
constexpr const char* IMAGE_TOO_SMALL = "BitmapFont image is too small for current data !";
constexpr int SCRIPT_LINES = 5;
constexpr size_t SCRIPT_LINE_MAX = 1022;  // characters; a longer line goes on as the next one
constexpr uint32_t COLOUR_MASK = 0xFFFFFF;
constexpr uint32_t SOLID_COLOUR = 0xFFFFFF;
constexpr uint32_t EDGE_COLOUR = 0xFF0000;
constexpr uint8_t CHAR_CODE_SPACE = 32;
constexpr uint8_t CHAR_CODE_BLANK = 255;

struct BmfScript {
  std::string picturePath;
  int32_t proportional;
  std::string charsetPath;
  int32_t cellWidth;
  int32_t spaceWidth;
};

// Up to the script's five lines, or nothing when it cannot be opened.
std::optional<std::vector<std::string>> ReadScriptLines(const char* path) {
  const ResourceFile script(path);
  const FilePtr file = script.OpenText();
  if (!file) return std::nullopt;
  std::vector<std::string> lines;
  while (lines.size() < SCRIPT_LINES) {
    std::optional<std::string> line = ReadLine(file.get(), SCRIPT_LINE_MAX);
    if (!line) break;
    lines.push_back(std::move(*line));
  }
  return lines;
}

std::string NameOf(const std::string& line) {
  std::string name = ListName(line);
  if (name.empty()) FatalError(SCRIPT_ERROR);
  return name;
}

int32_t IntegerOf(const std::string& line) {
  const std::optional<int32_t> value = ParseInt(line);
  if (!value) FatalError(SCRIPT_ERROR);
  return *value;
}

BmfScript ParseScript(const std::vector<std::string>& lines) {
  if (lines.size() < SCRIPT_LINES) FatalError(SCRIPT_ERROR);
  BmfScript script{NameOf(lines[0]), IntegerOf(lines[1]), NameOf(lines[2]), IntegerOf(lines[3]),
                   IntegerOf(lines[4])};
  if (script.cellWidth <= 0 || script.spaceWidth <= 0) FatalError(SCRIPT_ERROR);
  return script;
}

// The characters in cell order; a charset saved in UTF-8 has one per character too.
std::vector<uint8_t> ReadCharset(const std::string& path) {
  std::vector<uint8_t> charset;
  const FilePtr file = ResourceFile(path).OpenText();  // the member given back at once
  if (!file || !ReadRest(file.get(), charset)) FatalError("Cannot open charset file !");
  if (charset.empty()) FatalError("Internal error !");
  return charset;
}

// Every cell must lie within the picture; dividing keeps a huge charset or
// cell width from overflowing the product.
void CheckPictureWidth(const Picture& picture, size_t cells, int32_t cellWidth) {
  if (cells > static_cast<size_t>(picture.width / cellWidth)) FatalError(IMAGE_TOO_SMALL);
}

std::unique_ptr<GlyphTable> EmptyTable(const Picture& picture, int32_t stride) {
  auto table = std::make_unique<GlyphTable>();
  table->kind = GLYPHS_BMF;
  table->stride = stride;
  table->height = picture.height;
  // Both factors are bounded by the picture, so the planes are no larger than its pixels.
  const size_t planeBytes = static_cast<size_t>(stride) * static_cast<size_t>(picture.height);
  table->solidBlock = std::make_unique<uint8_t[]>(planeBytes);
  table->edgeBlock = std::make_unique<uint8_t[]>(planeBytes);
  table->solid = table->solidBlock.get();
  table->edge = table->edgeBlock.get();
  return table;
}

bool IsInk(uint32_t pixel) {
  const uint32_t colour = pixel & COLOUR_MASK;
  return colour == SOLID_COLOUR || colour == EDGE_COLOUR;
}

const uint32_t* RowOf(const Picture& picture, int32_t row) {
  return picture.pixels + static_cast<size_t>(row) * static_cast<size_t>(picture.width);
}

struct ColumnSpan {
  int32_t first;  // from the cell's left edge
  int32_t count;  // 0: no ink
};

ColumnSpan InkSpan(const Picture& picture, int32_t cellX, int32_t cellWidth) {
  int32_t left = cellWidth, right = -1;
  for (int32_t row = 0; row < picture.height; ++row) {
    const uint32_t* cell = RowOf(picture, row) + cellX;
    for (int32_t k = 0; k < cellWidth; ++k) {
      if (!IsInk(cell[k])) continue;
      if (k < left) left = k;
      if (k > right) right = k;
    }
  }
  return right < 0 ? ColumnSpan{0, 0} : ColumnSpan{left, right - left + 1};
}

// Packs count columns from fromX, 8 to a byte from byte offset of every plane row.
void CopyColumns(const Picture& picture, int32_t fromX, int32_t count, int32_t offset,
                 GlyphTable& table) {
  for (int32_t row = 0; row < picture.height; ++row) {
    const uint32_t* in = RowOf(picture, row) + fromX;
    const size_t rowStart = static_cast<size_t>(row) * static_cast<size_t>(table.stride) + offset;
    for (int32_t k = 0; k < count; ++k) {
      const uint32_t colour = in[k] & COLOUR_MASK;
      const size_t at = rowStart + static_cast<size_t>(k / 8);
      const auto bit = static_cast<uint8_t>(1u << (k % 8));
      if (colour == SOLID_COLOUR) {
        table.solid[at] |= bit;
      } else if (colour == EDGE_COLOUR) {
        table.edge[at] |= bit;
      }
    }
  }
}

void SetBlank(GlyphTable& table, uint8_t code, int32_t spaceWidth) {
  table.width[code] = 0;
  table.offset[code] = 0;
  table.advance[code] = spaceWidth;
}

void ReadCell(GlyphTable& table, const Picture& picture, const BmfScript& script, uint8_t code,
              int32_t cellX) {
  const ColumnSpan span = script.proportional != 0 ? InkSpan(picture, cellX, script.cellWidth)
                                                   : ColumnSpan{0, script.cellWidth};
  if (span.count == 0) {
    table.width[code] = table.advance[code] = table.offset[code] = 0;
    return;
  }
  CopyColumns(picture, cellX + span.first, span.count, cellX, table);
  table.offset[code] = cellX;
  table.width[code] = span.count;
  table.advance[code] = span.count + 1;  // one pixel of spacing built in
}

void ReadCells(GlyphTable& table, const Picture& picture, const BmfScript& script,
               const std::vector<uint8_t>& charset) {
  for (size_t i = 0; i < charset.size(); ++i) {
    const uint8_t code = charset[i];
    // Their cells are never read; both are set once all cells are in.
    if (code == CHAR_CODE_SPACE || code == CHAR_CODE_BLANK) continue;
    ReadCell(table, picture, script, code, static_cast<int32_t>(i) * script.cellWidth);
  }
  SetBlank(table, CHAR_CODE_SPACE, script.spaceWidth);
  SetBlank(table, CHAR_CODE_BLANK, script.spaceWidth);
}

}  // namespace

std::unique_ptr<GlyphTable> BmfLoad(const char* path, int32_t sizeX, int32_t sizeY, int32_t bold,
                                    int32_t italic, int32_t underline) {
  const std::optional<std::vector<std::string>> lines = ReadScriptLines(path);
  if (!lines) return nullptr;
  const BmfScript script = ParseScript(*lines);
  const std::vector<uint8_t> charset = ReadCharset(script.charsetPath);
  Picture picture{};
  ImageLoader(script.picturePath.c_str(), picture);
  CheckPictureWidth(picture, charset.size(), script.cellWidth);
  auto table = EmptyTable(picture, static_cast<int32_t>(charset.size()) * script.cellWidth);
  table->sizeX = sizeX;
  table->sizeY = sizeY;
  table->bold = bold;
  table->italic = italic;
  table->underline = underline;
  ReadCells(*table, picture, script, charset);
  GlyphTableFindInk(*table);
  return table;
}
