#include "canvas.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <cmath>

Canvas MakeCanvas(int width, int height, uint32_t colour) {
  return Canvas{width, height, std::vector<uint32_t>(static_cast<size_t>(width) * height, colour)};
}

uint32_t Mix(uint32_t a, uint32_t b, double t) {
  t = std::clamp(t, 0.0, 1.0);
  uint32_t out = 0;
  for (int shift = 0; shift < 24; shift += 8) {
    double ca = (a >> shift) & 255, cb = (b >> shift) & 255;
    out |= static_cast<uint32_t>(std::lround(ca + (cb - ca) * t)) << shift;
  }
  return out;
}

void Plot(Canvas& canvas, int x, int y, uint32_t colour, double coverage) {
  if (x < 0 || y < 0 || x >= canvas.width || y >= canvas.height || coverage <= 0) return;
  uint32_t& p = canvas.pixels[static_cast<size_t>(y) * canvas.width + x];
  p = Mix(p, colour, coverage);
}

void FillBox(Canvas& canvas, int x, int y, int w, int h, uint32_t colour) {
  for (int j = y; j < y + h; ++j) {
    for (int i = x; i < x + w; ++i) Plot(canvas, i, j, colour, 1.0);
  }
}

void VerticalGradient(Canvas& canvas, int x, int y, int w, int h, uint32_t top, uint32_t bottom) {
  for (int j = 0; j < h; ++j) {
    FillBox(canvas, x, y + j, w, 1, Mix(top, bottom, h > 1 ? j / double(h - 1) : 0));
  }
}

// Coverage of a pixel by a shape given its signed distance (negative inside).
double Coverage(double distance) { return std::clamp(0.5 - distance, 0.0, 1.0); }

void RoundedBox(Canvas& canvas, int x, int y, int w, int h, double radius, uint32_t colour) {
  double cx = x + w / 2.0, cy = y + h / 2.0, hx = w / 2.0 - radius, hy = h / 2.0 - radius;
  for (int j = y; j < y + h; ++j) {
    for (int i = x; i < x + w; ++i) {
      double dx = std::max(std::abs(i + 0.5 - cx) - hx, 0.0);
      double dy = std::max(std::abs(j + 0.5 - cy) - hy, 0.0);
      Plot(canvas, i, j, colour, Coverage(std::hypot(dx, dy) - radius));
    }
  }
}

void Disc(Canvas& canvas, double cx, double cy, double radius, uint32_t colour) {
  for (int j = int(cy - radius) - 1; j <= int(cy + radius) + 1; ++j) {
    for (int i = int(cx - radius) - 1; i <= int(cx + radius) + 1; ++i) {
      Plot(canvas, i, j, colour, Coverage(std::hypot(i + 0.5 - cx, j + 0.5 - cy) - radius));
    }
  }
}

void Ring(Canvas& canvas, double cx, double cy, double radius, double thickness, uint32_t colour) {
  double outer = radius + thickness / 2;
  for (int j = int(cy - outer) - 1; j <= int(cy + outer) + 1; ++j) {
    for (int i = int(cx - outer) - 1; i <= int(cx + outer) + 1; ++i) {
      double d = std::abs(std::hypot(i + 0.5 - cx, j + 0.5 - cy) - radius) - thickness / 2;
      Plot(canvas, i, j, colour, Coverage(d));
    }
  }
}

Canvas Crop(const Canvas& canvas, int x, int y, int w, int h) {
  Canvas out = MakeCanvas(w, h, 0);
  for (int j = 0; j < h; ++j) {
    for (int i = 0; i < w; ++i) {
      out.pixels[static_cast<size_t>(j) * w + i] =
          canvas.pixels[static_cast<size_t>(y + j) * canvas.width + x + i];
    }
  }
  return out;
}

struct TextPainter::Face {
  FT_Library library = nullptr;
  FT_Face face = nullptr;
};

TextPainter::TextPainter(const std::string& fontPath) : face_(std::make_unique<Face>()) {
  if (FT_Init_FreeType(&face_->library) != 0) return;
  if (FT_New_Face(face_->library, fontPath.c_str(), 0, &face_->face) != 0) face_->face = nullptr;
}

TextPainter::~TextPainter() {
  if (face_->face != nullptr) FT_Done_Face(face_->face);
  if (face_->library != nullptr) FT_Done_FreeType(face_->library);
}

bool TextPainter::ok() const { return face_->face != nullptr; }

int TextPainter::Measure(const std::u32string& text, int pixelSize) {
  FT_Set_Pixel_Sizes(face_->face, 0, pixelSize);
  long advance = 0;
  for (char32_t c : text) {
    if (FT_Load_Char(face_->face, c, FT_LOAD_DEFAULT) == 0) advance += face_->face->glyph->advance.x;
  }
  return static_cast<int>(advance >> 6);
}

void TextPainter::Draw(Canvas& canvas, int x, int y, const std::u32string& text, int pixelSize,
                       uint32_t colour) {
  FT_Set_Pixel_Sizes(face_->face, 0, pixelSize);
  long pen = long{x} << 6;
  for (char32_t c : text) {
    if (FT_Load_Char(face_->face, c, FT_LOAD_RENDER) != 0) continue;
    FT_GlyphSlot g = face_->face->glyph;
    for (unsigned row = 0; row < g->bitmap.rows; ++row) {
      for (unsigned col = 0; col < g->bitmap.width; ++col) {
        double coverage = g->bitmap.buffer[row * g->bitmap.pitch + col] / 255.0;
        Plot(canvas, int(pen >> 6) + g->bitmap_left + int(col), y - g->bitmap_top + int(row),
             colour, coverage);
      }
    }
    pen += g->advance.x;
  }
}

void TextPainter::DrawCentred(Canvas& canvas, int x, int y, int w, int h,
                              const std::u32string& text, int pixelSize, uint32_t colour) {
  int width = Measure(text, pixelSize);
  int baseline = y + (h + pixelSize * 7 / 10) / 2;
  Draw(canvas, x + (w - width) / 2, baseline, text, pixelSize, colour);
}
