// Fuzzes the BMP decoder, and again with its height's sign flipped, which must
// load alike with the rows in the other order. A damaged file must load or
// fail with an empty picture; a fatal error, a crash, an overrun, a leak or a
// difference between the orders is a finding.
#include <cstring>

#include "fuzz_support.h"
#include "pictures/image_loader.h"

constexpr char INPUT_NAME[] = "input.bmp";
constexpr size_t OFFSET_AT = 10, INFO_SIZE_AT = 14, HEIGHT_AT = 22, HEADERS_END = 54;

namespace {

bool Load(const uint8_t* data, size_t size, Picture& picture) {
  WriteInput(INPUT_NAME, data, size);
  const bool loaded = LoadBmp(INPUT_NAME, picture);
  if (loaded == (picture.pixels == nullptr)) std::abort();
  return loaded;
}

uint32_t Field(const uint8_t* data, size_t at) {
  uint32_t value;
  std::memcpy(&value, data + at, sizeof value);
  return value;
}

bool RowsMirrored(const Picture& a, const Picture& b) {
  if (a.width != b.width || a.height != b.height) return false;
  const size_t rowBytes = static_cast<size_t>(a.width) * sizeof(uint32_t);
  for (int32_t y = 0; y < a.height; ++y) {
    const size_t mirrored = static_cast<size_t>(a.height - 1 - y) * static_cast<size_t>(a.width);
    if (std::memcmp(a.pixels + static_cast<size_t>(y) * a.width, b.pixels + mirrored, rowBytes)) {
      return false;
    }
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  EnterScratchDir(AbortOnFatal);
  Picture picture{};
  const bool loaded = Load(data, size, picture);
  // Unless the height field is also read as the palette or the pixels.
  if (size < HEADERS_END || Field(data, OFFSET_AT) < HEADERS_END ||
      Field(data, INFO_SIZE_AT) < HEADERS_END - INFO_SIZE_AT) {
    return 0;
  }
  std::vector<uint8_t> flipped(data, data + size);
  const int32_t height = static_cast<int32_t>(Field(data, HEIGHT_AT));
  if (height == INT32_MIN) return 0;
  const int32_t negated = -height;
  std::memcpy(&flipped[HEIGHT_AT], &negated, sizeof negated);
  Picture other{};
  if (Load(flipped.data(), size, other) != loaded || (loaded && !RowsMirrored(picture, other))) {
    std::abort();
  }
  return 0;
}
