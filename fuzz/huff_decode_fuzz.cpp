// Decodes the input as a HUFF stream into an output buffer of bounded size,
// then checks that the input, taken as a member, survives packing and decoding.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "magtool/huff_encode.h"
#include "resources/huff.h"

namespace {

constexpr size_t MAX_OUTPUT = size_t{1} << 20;

// The size a packer would have stored, within what the bits could hold and memory.
size_t OutputSizeFor(const uint8_t* data, size_t size) {
  if (size < HUFF_COUNTS_SIZE) return 0;
  int32_t counts[256];
  HuffReadCounts(data, counts);
  uint64_t sum = 0;
  for (int32_t c : counts) sum += static_cast<uint64_t>(std::max(c, 0));
  return static_cast<size_t>(
      std::min<uint64_t>({sum, 8 * uint64_t{size - HUFF_COUNTS_SIZE}, MAX_OUTPUT}));
}

void DecodeAsStream(const uint8_t* data, size_t size) {
  std::vector<uint8_t> output(OutputSizeFor(data, size));
  const size_t decoded = HuffDecode(data, size, output.data(), output.size());
  // Every code takes at least one bit.
  if (size < HUFF_COUNTS_SIZE ? decoded != 0 : decoded > 8 * (size - HUFF_COUNTS_SIZE)) {
    std::abort();
  }
}

void RoundTrip(const uint8_t* data, size_t size) {
  const std::vector<uint8_t> stream = HuffEncode(data, size);
  std::vector<uint8_t> output(size);
  const size_t decoded = HuffDecode(stream.data(), stream.size(), output.data(), output.size());
  if (decoded != size || (size > 0 && std::memcmp(output.data(), data, size) != 0)) {
    std::abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  DecodeAsStream(data, size);
  RoundTrip(data, size);
  return 0;
}
