#include "generators/font_writer.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <array>
#include <filesystem>
#include <string>
#include <vector>

#include "generators/file_writer.h"
#include "generators/png_writer.h"

namespace fs = std::filesystem;

namespace {

constexpr int FIXED_ROWS = 16, FIXED_ASCENT = 12;  // baseline under row 11
constexpr int HEAD_CELL = 30, HEAD_HEIGHT = 34, HEAD_ASCENT = 26, HEAD_SPACE = 10;
constexpr const char* HEAD_CHARS = "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789!?.,:;-'&#()/";

struct Face {
  FT_Library library = nullptr;
  FT_Face face = nullptr;
  explicit Face(const std::string& path) {
    if (FT_Init_FreeType(&library) == 0 && FT_New_Face(library, path.c_str(), 0, &face) != 0) {
      face = nullptr;
    }
  }
  ~Face() {
    if (face != nullptr) FT_Done_Face(face);
    if (library != nullptr) FT_Done_FreeType(library);
  }
};

// Latin-1 by code, with the C1 range left empty.
bool Printable(int code) { return (code >= 33 && code <= 126) || code >= 161; }

// One glyph's 16 rows, leftmost pixel in each byte's top bit.
std::array<uint8_t, FIXED_ROWS> FixedGlyph(FT_Face face, int code) {
  std::array<uint8_t, FIXED_ROWS> rows{};
  if (!Printable(code) || FT_Load_Char(face, code, FT_LOAD_RENDER | FT_LOAD_TARGET_MONO) != 0) {
    return rows;
  }
  const FT_Bitmap& b = face->glyph->bitmap;
  int left = face->glyph->bitmap_left, top = FIXED_ASCENT - face->glyph->bitmap_top;
  for (unsigned r = 0; r < b.rows; ++r) {
    for (unsigned c = 0; c < b.width; ++c) {
      int x = left + int(c), y = top + int(r);
      bool ink = (b.buffer[r * b.pitch + c / 8] >> (7 - c % 8)) & 1;
      if (ink && x >= 0 && x < 8 && y >= 0 && y < FIXED_ROWS) rows[y] |= uint8_t(0x80 >> x);
    }
  }
  return rows;
}

bool MakeFixed(const std::string& fontPath, const std::string& out) {
  Face mono(fontPath);
  if (mono.face == nullptr || FT_Set_Pixel_Sizes(mono.face, 0, 13) != 0) return false;
  std::string bytes;
  for (int code = 0; code < 256; ++code) {
    for (uint8_t row : FixedGlyph(mono.face, code)) bytes.push_back(static_cast<char>(row));
  }
  return WriteText(out, bytes);
}

// Full coverage is white ink, partial coverage the red half-tone, the rest a
// dark background that the font ignores.
uint32_t HeadlinePixel(uint8_t coverage) {
  return coverage >= 150 ? 0xFFFFFF : coverage >= 50 ? 0xFF0000 : 0x101830;
}

bool MakeHeadline(const std::string& fontPath, const std::string& dataDir) {
  Face bold(fontPath);
  if (bold.face == nullptr || FT_Set_Pixel_Sizes(bold.face, 0, 30) != 0) return false;
  const std::string chars = HEAD_CHARS;
  const int width = HEAD_CELL * int(chars.size());
  std::vector<uint32_t> pixels(size_t(width) * HEAD_HEIGHT, HeadlinePixel(0));
  for (size_t i = 0; i < chars.size(); ++i) {
    if (FT_Load_Char(bold.face, uint8_t(chars[i]), FT_LOAD_RENDER) != 0) return false;
    const FT_GlyphSlot g = bold.face->glyph;
    for (unsigned r = 0; r < g->bitmap.rows; ++r) {
      for (unsigned c = 0; c < g->bitmap.width; ++c) {
        int x = int(c) + std::max(0, g->bitmap_left), y = HEAD_ASCENT - g->bitmap_top + int(r);
        if (x >= HEAD_CELL || y < 0 || y >= HEAD_HEIGHT) continue;
        pixels[size_t(y) * width + i * HEAD_CELL + x] = HeadlinePixel(g->bitmap.buffer[r * g->bitmap.pitch + c]);
      }
    }
  }
  const std::string bmf = "DATA/fonts/headline.png\n1\nDATA/fonts/headline.chr\n" +
                          std::to_string(HEAD_CELL) + "\n" + std::to_string(HEAD_SPACE) + "\n";
  return WriteText(dataDir + "/fonts/headline.chr", chars) &&
         WriteText(dataDir + "/fonts/headline.bmf", bmf) &&
         WritePng(dataDir + "/fonts/headline.png", width, HEAD_HEIGHT, pixels);
}

// Windows-1252 typography in the C1 codes that Latin-1 leaves empty.
constexpr std::array<std::pair<int, FT_ULong>, 18> OVERRIDES = {{
    {0x80, 0x20AC}, {0x85, 0x2026}, {0x86, 0x2020}, {0x8A, 0x0160}, {0x8C, 0x0152},
    {0x8E, 0x017D}, {0x91, 0x2018}, {0x92, 0x2019}, {0x93, 0x201C}, {0x94, 0x201D},
    {0x95, 0x2022}, {0x96, 0x2013}, {0x97, 0x2014}, {0x99, 0x2122}, {0x9A, 0x0161},
    {0x9C, 0x0153}, {0x9E, 0x017E}, {0x9F, 0x0178}}};

bool MakeTtt(const std::string& fontPath, const std::string& out) {
  Face face(fontPath);
  if (face.face == nullptr) return false;
  std::string text;
  for (auto [code, unicode] : OVERRIDES) {
    text += static_cast<char>(code);
    text += " " + std::to_string(FT_Get_Char_Index(face.face, unicode)) + "\n";
  }
  return WriteText(out, text);
}

}  // namespace

bool WriteFonts(const std::string& data, const std::string& fixedSource,
                const std::string& headlineSource, const std::vector<FaceCopy>& faces) {
  std::error_code error;
  fs::create_directories(data + "/fonts", error);
  fs::create_directories(data + "/configs", error);
  std::string list;
  bool ok = MakeFixed(fixedSource, data + "/fonts/fixed.fnt") && MakeHeadline(headlineSource, data);
  for (const FaceCopy& face : faces) {
    fs::copy_file(face.source, data + "/fonts/" + face.name, fs::copy_options::overwrite_existing, error);
    ok = ok && !error;
    list += "DATA/fonts/" + face.name + "\n";
  }
  // Every face gets the typography overrides, so that quotes and dashes show
  // whatever face an article sets them in.
  for (const FaceCopy& face : faces) {
    std::string ttt = data + "/fonts/" + face.name;
    ttt.back() = 't';
    ok = ok && MakeTtt(face.source, ttt);
  }
  return ok && WriteText(data + "/configs/fonts.txt", list);
}
