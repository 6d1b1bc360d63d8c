#include "magtool/huff_encode.h"

#include <algorithm>
#include <array>
#include <limits>
#include <stdexcept>

#include "resources/huff.h"

namespace {

// A code is at most 256 bits long (a chain of 257 leaves); it is kept in
// 32-bit words, first bit lowest, so that most codes are a single word.
constexpr unsigned MAX_CODE_LENGTH = HUFF_SYMBOLS - 1;
constexpr unsigned CODE_WORDS = MAX_CODE_LENGTH / 32;

struct Code {
  std::array<uint32_t, CODE_WORDS> words{};
  unsigned length = 0;
};

using CodeBook = std::array<Code, HUFF_SYMBOLS>;

// Parents have higher indices than their children, so walking the node table
// downwards from the root extends every code before it is copied further.
CodeBook MakeCodes(const HuffTree& tree) {
  std::array<Code, HUFF_MAX_NODES> paths;
  CodeBook codes;
  for (int32_t i = tree.root; i >= 0; --i) {
    const HuffNode& node = tree.nodes[i];
    if (node.symbol >= 0) {
      codes[node.symbol] = paths[i];
      continue;
    }
    for (uint32_t bit = 0; bit < 2; ++bit) {
      Code& path = paths[node.child[bit]];
      path = paths[i];
      path.words[path.length / 32] |= bit << (path.length % 32);
      ++path.length;
    }
  }
  return codes;
}

// Appends bits first bit lowest into a buffer sized beforehand. Whole words
// are stored only once complete, so nothing lands past the last byte.
class BitWriter {
 public:
  explicit BitWriter(uint8_t* out) : out_(out) {}

  void Put(const Code& code) {
    if (code.length <= 32) {
      PutWord(code.words[0], code.length);
      return;
    }
    for (unsigned done = 0; done < code.length; done += 32) {
      PutWord(code.words[done / 32], std::min(32u, code.length - done));
    }
  }

  // Stores the last bits, the final byte filled up with zeros.
  void Flush() {
    for (unsigned k = 0; k < filled_; k += 8) *out_++ = static_cast<uint8_t>(buffer_ >> k);
    buffer_ = 0;
    filled_ = 0;
  }

 private:
  void PutWord(uint32_t bits, unsigned count) {
    buffer_ |= uint64_t{bits} << filled_;
    filled_ += count;
    if (filled_ < 32) return;
    for (int k = 0; k < 4; ++k) out_[k] = static_cast<uint8_t>(buffer_ >> (8 * k));
    out_ += 4;
    buffer_ >>= 32;
    filled_ -= 32;
  }

  uint8_t* out_;
  uint64_t buffer_ = 0;
  unsigned filled_ = 0;
};

std::array<int32_t, 256> CountBytes(const uint8_t* data, size_t size) {
  if (size > size_t{std::numeric_limits<int32_t>::max()}) {
    throw std::length_error("member too large for HUFF counts");
  }
  std::array<int32_t, 256> counts{};
  for (size_t k = 0; k < size; ++k) ++counts[data[k]];
  return counts;
}

uint64_t StreamBits(const std::array<int32_t, 256>& counts, const CodeBook& codes) {
  uint64_t bits = codes[HUFF_END_SYMBOL].length;
  for (int v = 0; v < 256; ++v) bits += uint64_t(counts[v]) * codes[v].length;
  return bits;
}

void WriteCounts(const std::array<int32_t, 256>& counts, uint8_t* out) {
  for (int v = 0; v < 256; ++v) {
    const auto u = static_cast<uint32_t>(counts[v]);
    for (int k = 0; k < 4; ++k) out[4 * v + k] = static_cast<uint8_t>(u >> (8 * k));
  }
}

}  // namespace

std::vector<uint8_t> HuffEncode(const uint8_t* data, size_t size) {
  const std::array<int32_t, 256> counts = CountBytes(data, size);
  HuffTree tree;
  HuffBuildTree(counts.data(), tree);
  const CodeBook codes = MakeCodes(tree);

  const size_t streamSize = HUFF_COUNTS_SIZE + (StreamBits(counts, codes) + 7) / 8;
  std::vector<uint8_t> stream(streamSize);
  WriteCounts(counts, stream.data());
  BitWriter writer(stream.data() + HUFF_COUNTS_SIZE);
  for (size_t k = 0; k < size; ++k) writer.Put(codes[data[k]]);
  writer.Put(codes[HUFF_END_SYMBOL]);
  writer.Flush();
  return stream;
}
