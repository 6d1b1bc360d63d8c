// A GIF writer for the demo issue's generated pictures: one image of palette
// indices, written in the plainest layout the engine reads (header, screen
// descriptor, global colour table, image descriptor, LZW data, trailer).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct GifImage {
  int width;                     // 1..65535
  int height;                    // 1..65535
  std::vector<uint8_t> indices;  // width * height, row by row from the top
  std::vector<uint8_t> palette;  // red, green, blue per entry; 2..256 entries, a power of two
};

// The whole file. The LZW minimum code size follows the palette's size (at
// least 2); codes grow to 12 bits and the table is cleared when it is full.
// Throws std::invalid_argument for an image the format cannot hold (a size out
// of range, a palette size that is no power of two, an index beyond it).
std::vector<uint8_t> EncodeGif(const GifImage& image);

// EncodeGif written to path; false when the file cannot be written.
bool WriteGif(const std::string& path, const GifImage& image);
