#include "bmp_writer.h"

#include <fstream>

namespace {

void Put16(std::vector<uint8_t>& out, uint32_t v) {
  out.push_back(static_cast<uint8_t>(v));
  out.push_back(static_cast<uint8_t>(v >> 8));
}

void Put32(std::vector<uint8_t>& out, uint32_t v) {
  Put16(out, v & 0xFFFF);
  Put16(out, v >> 16);
}

}  // namespace

std::vector<uint8_t> EncodeBmp24(int width, int height, const std::vector<uint32_t>& pixels) {
  const uint32_t rowBytes = (static_cast<uint32_t>(width) * 3 + 3) & ~3u;
  const uint32_t dataOffset = 14 + 40;
  std::vector<uint8_t> out;
  Put16(out, 0x4D42);  // "BM"
  Put32(out, dataOffset + rowBytes * height);
  Put32(out, 0);  // reserved
  Put32(out, dataOffset);
  Put32(out, 40);  // information header size
  Put32(out, static_cast<uint32_t>(width));
  Put32(out, static_cast<uint32_t>(height));  // positive: bottom-up rows
  Put16(out, 1);                              // planes
  Put16(out, 24);                             // bits per pixel
  for (int field = 0; field < 6; ++field) Put32(out, 0);  // no compression, sizes, palette
  for (int y = height - 1; y >= 0; --y) {
    for (int x = 0; x < width; ++x) {
      uint32_t p = pixels[static_cast<size_t>(y) * width + x];
      out.push_back(static_cast<uint8_t>(p));
      out.push_back(static_cast<uint8_t>(p >> 8));
      out.push_back(static_cast<uint8_t>(p >> 16));
    }
    out.resize(out.size() + (rowBytes - width * 3));
  }
  return out;
}

bool WriteBmp24(const std::string& path, int width, int height, const std::vector<uint32_t>& pixels) {
  std::vector<uint8_t> bytes = EncodeBmp24(width, height, pixels);
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(out);
}
