// Generates the demo issue's fonts into DATA_DIR: the fixed 8x16 font
// "fonts/fixed.fnt" for all 256 Latin-1 codes, rendered from a monospaced
// TrueType face; the BMF headline font "fonts/headline.bmf" with its charset
// and glyph picture (white ink, red half-tone edges); the TrueType faces
// copied from Debian's font packages, each with a ".ttt" of 18 overrides
// mapping Windows typography codes to their glyphs; and the
// font list "configs/fonts.txt".
#include <ft2build.h>
#include FT_FREETYPE_H

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

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
  std::ofstream file(out, std::ios::binary);
  for (int code = 0; code < 256; ++code) {
    for (uint8_t row : FixedGlyph(mono.face, code)) file.put(static_cast<char>(row));
  }
  return static_cast<bool>(file);
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
  std::ofstream(dataDir + "/fonts/headline.chr", std::ios::binary) << chars;
  std::ofstream(dataDir + "/fonts/headline.bmf")
      << "DATA/fonts/headline.png\n1\nDATA/fonts/headline.chr\n" << HEAD_CELL << "\n" << HEAD_SPACE << "\n";
  return WritePng(dataDir + "/fonts/headline.png", width, HEAD_HEIGHT, pixels);
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
  std::ofstream file(out, std::ios::binary);
  for (auto [code, unicode] : OVERRIDES) {
    file.put(static_cast<char>(code));
    file << " " << FT_Get_Char_Index(face.face, unicode) << "\n";
  }
  return static_cast<bool>(file);
}

struct FaceCopy {
  const char* name;  // under DATA/fonts
  const char* source;
};

}  // namespace

int main(int argc, char** argv) {
  if (argc != 7) {
    std::fputs("Usage: make_fonts DATA_DIR MONO.ttf HEADLINE.ttf SANS.ttf SERIF.ttf MONO_FACE.ttf\n", stderr);
    return 2;
  }
  const std::string data = argv[1];
  fs::create_directories(data + "/fonts");
  fs::create_directories(data + "/configs");
  const FaceCopy faces[] = {{"arial.ttf", argv[4]}, {"serif.ttf", argv[5]}, {"mono.ttf", argv[6]}};
  std::ofstream list(data + "/configs/fonts.txt");
  bool ok = MakeFixed(argv[2], data + "/fonts/fixed.fnt") && MakeHeadline(argv[3], data);
  for (const FaceCopy& face : faces) {
    std::error_code error;
    fs::copy_file(face.source, data + "/fonts/" + face.name, fs::copy_options::overwrite_existing, error);
    ok = ok && !error;
    list << "DATA/fonts/" << face.name << "\n";
  }
  // Every face gets the typography overrides, so that quotes and dashes show
  // whatever face an article sets them in.
  for (const FaceCopy& face : faces) {
    std::string ttt = data + "/fonts/" + face.name;
    ttt.back() = 't';
    ok = ok && MakeTtt(face.source, ttt);
  }
  if (!ok) std::fprintf(stderr, "make_fonts: cannot make the fonts in %s\n", argv[1]);
  return ok ? 0 : 1;
}
