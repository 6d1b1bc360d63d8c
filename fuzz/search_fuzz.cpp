// Fuzzes the search index: the input, cut at its first two 0x1E bytes, gives
// "search.txt", "search.lst" and "art.art" for SearchInit. A fatal error is
// expected; a crash, an overrun or a leak is a finding.
#include <algorithm>
#include <array>

#include "fuzz_support.h"
#include "resources/archive.h"
#include "search/search.h"

namespace {

constexpr uint8_t SEPARATOR = 0x1E;

// A 2x1 grey PNG: the box picture is not what is fuzzed here.
constexpr std::array<uint8_t, 72> BOX_PNG = {
    0x89, 0x50, 0x4E, 0x47, 0x0D, 0x0A, 0x1A, 0x0A, 0x00, 0x00, 0x00, 0x0D, 0x49, 0x48, 0x44,
    0x52, 0x00, 0x00, 0x00, 0x02, 0x00, 0x00, 0x00, 0x01, 0x08, 0x02, 0x00, 0x00, 0x00, 0x7B,
    0x40, 0xE8, 0xDD, 0x00, 0x00, 0x00, 0x0F, 0x49, 0x44, 0x41, 0x54, 0x78, 0x9C, 0x63, 0x68,
    0x68, 0x68, 0x60, 0x60, 0x60, 0x00, 0x00, 0x07, 0x87, 0x01, 0x81, 0x70, 0x78, 0x24, 0x0E,
    0x00, 0x00, 0x00, 0x00, 0x49, 0x45, 0x4E, 0x44, 0xAE, 0x42, 0x60, 0x82};

// Writes data up to the next separator (or the end) to name; returns what follows.
const uint8_t* WritePart(const char* name, const uint8_t* data, const uint8_t* end) {
  const uint8_t* cut = std::find(data, end, SEPARATOR);
  WriteInput(name, data, static_cast<size_t>(cut - data));
  return cut == end ? end : cut + 1;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  EnterScratchDir(ThrowOnFatal);
  WriteInput(RESOURCE_ARCHIVE_FILE, nullptr, 0);
  WriteInput("search.png", BOX_PNG.data(), BOX_PNG.size());
  const uint8_t* end = data + size;
  data = WritePart("search.txt", data, end);
  data = WritePart("search.lst", data, end);
  WritePart("art.art", data, end);
  AllowFatal([] { SearchInit(); });
  ResourceCloseAll();
  return 0;
}
