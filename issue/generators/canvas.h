// A small raster for the demo issue's generated artwork: solid and gradient
// fills, rounded boxes, discs and rings with soft edges, and text rendered
// from a TrueType face.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

struct Canvas {
  int width = 0;
  int height = 0;
  std::vector<uint32_t> pixels;  // 0x00RRGGBB, row by row from the top
};

Canvas MakeCanvas(int width, int height, uint32_t colour);

// Mixes b into a by t (0 keeps a, 1 gives b).
uint32_t Mix(uint32_t a, uint32_t b, double t);

// Blends colour over the pixel at (x, y) by coverage 0..1; outside is ignored.
void Plot(Canvas& canvas, int x, int y, uint32_t colour, double coverage);

void FillBox(Canvas& canvas, int x, int y, int w, int h, uint32_t colour);
void VerticalGradient(Canvas& canvas, int x, int y, int w, int h, uint32_t top, uint32_t bottom);
void RoundedBox(Canvas& canvas, int x, int y, int w, int h, double radius, uint32_t colour);
void Disc(Canvas& canvas, double cx, double cy, double radius, uint32_t colour);
void Ring(Canvas& canvas, double cx, double cy, double radius, double thickness, uint32_t colour);

// The region of canvas at (x, y) of size w x h.
Canvas Crop(const Canvas& canvas, int x, int y, int w, int h);

// Text in one TrueType face; the faces come from Debian's font packages.
class TextPainter {
 public:
  explicit TextPainter(const std::string& fontPath);
  ~TextPainter();
  TextPainter(const TextPainter&) = delete;
  TextPainter& operator=(const TextPainter&) = delete;

  bool ok() const;
  int Measure(const std::u32string& text, int pixelSize);
  // Draws text with its baseline at y.
  void Draw(Canvas& canvas, int x, int y, const std::u32string& text, int pixelSize, uint32_t colour);
  // Draws text centred in the box.
  void DrawCentred(Canvas& canvas, int x, int y, int w, int h, const std::u32string& text,
                   int pixelSize, uint32_t colour);

 private:
  struct Face;
  std::unique_ptr<Face> face_;
};
