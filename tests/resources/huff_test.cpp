#include <gtest/gtest.h>

#include <array>
#include <random>
#include <string_view>

#include "resources/huff.h"

namespace {

using Counts = std::array<int32_t, 256>;
using Bytes = std::vector<uint8_t>;

// The counts, then bits: '0' and '1' in stream order, packed first bit lowest.
Bytes StreamOf(const Counts& counts, std::string_view bits) {
  Bytes stream(HUFF_COUNTS_SIZE + (bits.size() + 7) / 8);
  for (int v = 0; v < 256; ++v) {
    for (int k = 0; k < 4; ++k) stream[4 * v + k] = uint8_t(uint32_t(counts[v]) >> 8 * k);
  }
  for (size_t k = 0; k < bits.size(); ++k) {
    if (bits[k] == '1') stream[HUFF_COUNTS_SIZE + k / 8] |= 1 << (k % 8);
  }
  return stream;
}

// The plain decoder: one bit, one step down the tree.
size_t ReferenceDecode(const Bytes& stream, uint8_t* out, size_t outSize) {
  if (stream.size() < HUFF_COUNTS_SIZE) return 0;
  Counts counts;
  HuffReadCounts(stream.data(), counts.data());
  HuffTree tree;
  HuffBuildTree(counts.data(), tree);
  if (tree.nodes[tree.root].symbol >= 0) return 0;
  size_t decoded = 0;
  int32_t node = tree.root;
  for (uint64_t pos = 0; pos < 8 * (stream.size() - HUFF_COUNTS_SIZE); ++pos) {
    node = tree.nodes[node].child[(stream[HUFF_COUNTS_SIZE + pos / 8] >> (pos % 8)) & 1];
    const int32_t symbol = tree.nodes[node].symbol;
    if (symbol == HUFF_END_SYMBOL) break;
    if (symbol < 0) continue;
    if (decoded < outSize) out[decoded] = static_cast<uint8_t>(symbol);
    ++decoded;
    node = tree.root;
  }
  return decoded;
}

// Decodes into a buffer of outSize bytes followed by a guard band.
std::pair<size_t, Bytes> Decode(const Bytes& stream, size_t outSize, bool reference = false) {
  Bytes out(outSize + 16, 0xA5);
  const size_t count = reference
                           ? ReferenceDecode(stream, out.data(), outSize)
                           : HuffDecode(stream.data(), stream.size(), out.data(), outSize);
  EXPECT_EQ(Bytes(out.begin() + outSize, out.end()), Bytes(16, 0xA5));
  out.resize(std::min(count, outSize));
  return {count, out};
}

// The codes pin the tree's shape. Single value: 0x41 is "1", the end symbol
// "0". Ties pick the highest index first: 0x61 is "0", the end symbol "10",
// 0x62 "11". All-zero counts leave the end symbol alone, at the root.
TEST(HuffDecode, HandMadeStreams) {
  Counts single{}, tied{};
  single[0x41] = 100;
  tied[0x61] = tied[0x62] = 1;
  struct Case { const Counts& counts; std::string bits; size_t outSize, count; std::string bytes; };
  const Case cases[] = {
      {single, "1110", 3, 3, "AAA"},
      {tied, "011101111111", 10, 2, "ab"},  // bits after the end symbol are ignored
      // Cut before the end symbol: the count so far. A last code ending on the
      // last bit is decoded, one that needs a bit more is dropped.
      {tied, "00000011", 20, 7, "aaaaaab"},
      {tied, "00000001", 20, 7, "aaaaaaa"},
      // Bytes beyond the output are counted, not written.
      {single, std::string(16, '1') + "0", 5, 16, "AAAAA"},
      {Counts{}, std::string(64, '1'), 10, 0, ""},  // the end symbol alone is no tree
      {single, "", 10, 0, ""},
  };
  for (const Case& c : cases) {
    const auto [count, bytes] = Decode(StreamOf(c.counts, c.bits), c.outSize);
    EXPECT_EQ(count, c.count) << c.bits;
    EXPECT_EQ(bytes, Bytes(c.bytes.begin(), c.bytes.end())) << c.bits;
  }
  Bytes cut = StreamOf(single, "1111");
  cut.resize(HUFF_COUNTS_SIZE - 1);
  EXPECT_EQ(Decode(cut, 10).first, 0u);
}

// Counts, damaged or not, read back as stored; bits leaning one way walk deep
// codes; whole streams at any output size, and streams cut at every length.
TEST(HuffDecode, MatchesTheBitByBitDecoder) {
  std::mt19937 rng(2024);
  for (int round = 0; round < 600; ++round) {
    const double lean = std::array{0.5, 0.03, 0.97, 0.999}[rng() % 4];
    std::string bits(rng() % 30000, '0');
    for (char& bit : bits) bit = std::uniform_real_distribution<>()(rng) < lean ? '1' : '0';
    Counts counts{};
    switch (rng() % 4) {
      case 0: for (int k = rng() % 4; k >= 0; --k) counts[rng() % 256] = 1 + rng() % 50; break;
      case 1: counts.fill(-1); break;  // a chain of 256 leaves: codes up to 256 bits
      case 2: for (int32_t& c : counts) c = static_cast<int32_t>(rng()); break;  // damaged
      default: for (int32_t& c : counts) c = rng() % 4 ? rng() % 1000 : 0;
    }
    const Bytes stream = StreamOf(counts, bits);
    Counts read;
    HuffReadCounts(stream.data(), read.data());
    ASSERT_EQ(read, counts);
    const size_t expected = Decode(stream, 1 << 16, true).first;
    std::vector<std::pair<size_t, size_t>> tries = {{stream.size(), expected},
                                                    {stream.size(), rng() % (expected + 20)}};
    if (round >= 580) {
      tries.clear();
      const size_t longest = std::min(stream.size(), HUFF_COUNTS_SIZE + 40);
      for (size_t size = longest; size >= HUFF_COUNTS_SIZE; --size) tries.push_back({size, 500});
    }
    for (const auto& [size, outSize] : tries) {
      const Bytes part(stream.begin(), stream.begin() + static_cast<long>(size));
      ASSERT_EQ(Decode(part, outSize), Decode(part, outSize, true)) << round << " " << size;
    }
  }
}

}  // namespace
