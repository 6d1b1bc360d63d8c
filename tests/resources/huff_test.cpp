#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <random>
#include <string_view>
#include <vector>

#include "resources/huff.h"

namespace {

using Counts = std::array<int32_t, 256>;
using Bytes = std::vector<uint8_t>;

Bytes CountTable(const Counts& counts) {
  Bytes stream(HUFF_COUNTS_SIZE);
  for (int v = 0; v < 256; ++v) {
    const auto u = static_cast<uint32_t>(counts[v]);
    for (int k = 0; k < 4; ++k) stream[4 * v + k] = static_cast<uint8_t>(u >> (8 * k));
  }
  return stream;
}

// bits: '0' and '1' in stream order, packed first bit lowest.
Bytes StreamOf(const Counts& counts, std::string_view bits) {
  Bytes stream = CountTable(counts);
  stream.resize(HUFF_COUNTS_SIZE + (bits.size() + 7) / 8);
  for (size_t k = 0; k < bits.size(); ++k) {
    if (bits[k] == '1') stream[HUFF_COUNTS_SIZE + k / 8] |= 1 << (k % 8);
  }
  return stream;
}

HuffTree TreeOf(const Counts& counts) {
  HuffTree tree;
  HuffBuildTree(counts.data(), tree);
  return tree;
}

// The plain decoder: one bit, one step down the tree.
size_t ReferenceDecode(const Bytes& stream, uint8_t* out, size_t outSize) {
  if (stream.size() < HUFF_COUNTS_SIZE) return 0;
  Counts counts;
  HuffReadCounts(stream.data(), counts.data());
  const HuffTree tree = TreeOf(counts);
  if (tree.nodes[tree.root].symbol >= 0) return 0;
  const uint64_t bitCount = 8 * uint64_t{stream.size() - HUFF_COUNTS_SIZE};
  size_t decoded = 0;
  int32_t node = tree.root;
  for (uint64_t pos = 0; pos < bitCount; ++pos) {
    const int bit = (stream[HUFF_COUNTS_SIZE + pos / 8] >> (pos % 8)) & 1;
    node = tree.nodes[node].child[bit];
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
struct Decoded {
  size_t count;
  Bytes bytes;
};

constexpr size_t GUARD = 16;
constexpr uint8_t GUARD_BYTE = 0xA5;

Decoded Decode(const Bytes& stream, size_t outSize, bool reference = false) {
  Bytes out(outSize + GUARD, GUARD_BYTE);
  const size_t count = reference
                           ? ReferenceDecode(stream, out.data(), outSize)
                           : HuffDecode(stream.data(), stream.size(), out.data(), outSize);
  for (size_t k = outSize; k < out.size(); ++k) EXPECT_EQ(out[k], GUARD_BYTE) << k;
  out.resize(std::min(count, outSize));
  return {count, out};
}

Bytes Text(std::string_view s) { return Bytes(s.begin(), s.end()); }

Counts SingleValueCounts() {
  Counts counts{};
  counts[0x41] = 100;
  return counts;
}

Counts TiedCounts() {
  Counts counts{};
  counts[0x61] = 1;
  counts[0x62] = 1;
  return counts;
}

TEST(HuffTree, CountsAreReadLittleEndianAndSigned) {
  Counts counts{};
  counts[0] = -2;
  counts[1] = 0x12345678;
  counts[255] = INT32_MIN;
  const Bytes stream = CountTable(counts);
  EXPECT_EQ(stream[4], 0x78);
  Counts read;
  HuffReadCounts(stream.data(), read.data());
  EXPECT_EQ(read, counts);
}

// Negative and overflowing counts still make one binary tree over all leaves.
void ExpectSoundTree(const Counts& counts) {
  const HuffTree tree = TreeOf(counts);
  int leaves = 1;
  for (int32_t c : counts) leaves += c != 0;
  ASSERT_EQ(tree.nodeCount, 2 * leaves - 1);
  ASSERT_EQ(tree.root, tree.nodeCount - 1);
  std::vector<int> parents(tree.nodeCount, 0);
  for (int i = leaves; i < tree.nodeCount; ++i) {
    const HuffNode& node = tree.nodes[i];
    EXPECT_EQ(node.symbol, -1);
    for (int32_t child : node.child) {
      ASSERT_TRUE(child >= 0 && child < i);
      EXPECT_EQ(tree.nodes[child].parent, i);
      ++parents[child];
    }
    const uint32_t sum = uint32_t(tree.nodes[node.child[0]].count) +
                         uint32_t(tree.nodes[node.child[1]].count);
    EXPECT_EQ(node.count, static_cast<int32_t>(sum));
  }
  for (int i = 0; i < tree.root; ++i) EXPECT_EQ(parents[i], 1) << i;
}

TEST(HuffTree, DamagedCountsStillGiveASoundTree) {
  Counts negative;
  negative.fill(-1);
  ExpectSoundTree(negative);
  Counts huge;
  huge.fill(INT32_MAX);
  ExpectSoundTree(huge);
  std::mt19937 rng(7);
  for (int round = 0; round < 50; ++round) {
    Counts random;
    for (int32_t& c : random) c = rng() % 3 == 0 ? 0 : static_cast<int32_t>(rng());
    ExpectSoundTree(random);
  }
}

// The codes pin the tree's shape. Single value: 0x41 is "1", the end symbol
// "0". Ties pick the highest index first: 0x61 is "0", the end symbol "10",
// 0x62 "11". All-zero counts leave the end symbol alone, at the root.
TEST(HuffDecode, HandMadeStreams) {
  const Counts single = SingleValueCounts(), tied = TiedCounts();
  const std::string ones(1000, '1');
  struct Case {
    const Counts& counts;
    std::string bits;
    size_t outSize, count;
    Bytes bytes;
  };
  const Case cases[] = {
      {single, "1110", 3, 3, Text("AAA")},
      {tied, "01110", 10, 2, Text("ab")},
      {tied, "011101111111", 10, 2, Text("ab")},  // bits after the end symbol are ignored
      {tied, "10", 10, 0, {}},
      // Cut before the end symbol: the count so far. A last code ending on the
      // last bit is decoded, one that needs a bit more is dropped.
      {single, "11111111", 20, 8, Bytes(8, 0x41)},
      {tied, "00000011", 20, 7, Text("aaaaaab")},
      {tied, "00000001", 20, 7, Text("aaaaaaa")},
      {single, ones.substr(0, 800), 1000, 800, Bytes(800, 0x41)},  // cut in the fast path
      // Bytes beyond the output are counted, not written.
      {single, ones.substr(0, 16) + "0", 5, 16, Bytes(5, 0x41)},
      {single, ones.substr(0, 16) + "0", 0, 16, {}},
      {Counts{}, ones.substr(0, 64), 10, 0, {}},  // the end symbol alone is no tree
      {Counts{}, "", 10, 0, {}},
      {single, "", 10, 0, {}},
  };
  for (const Case& c : cases) {
    const Decoded d = Decode(StreamOf(c.counts, c.bits), c.outSize);
    EXPECT_EQ(d.count, c.count) << c.bits;
    EXPECT_EQ(d.bytes, c.bytes) << c.bits;
  }
  const Bytes longStream = StreamOf(single, ones + "0");
  for (size_t outSize : {0, 1, 7, 8, 9, 500, 999, 1000, 1001}) {
    const Decoded d = Decode(longStream, outSize);
    EXPECT_EQ(d.count, 1000u);
    EXPECT_EQ(d.bytes, Bytes(std::min<size_t>(outSize, 1000), 0x41));
  }
  EXPECT_EQ(HuffDecode(nullptr, 0, nullptr, 0), 0u);
  Bytes cut = StreamOf(single, "1111");
  cut.resize(HUFF_COUNTS_SIZE - 1);
  EXPECT_EQ(Decode(cut, 10).count, 0u);
}

// Writes each symbol's path, found from its leaf upwards through the parents.
Bytes EncodeSymbols(const Counts& counts, const std::vector<int>& symbols) {
  const HuffTree tree = TreeOf(counts);
  std::array<int32_t, HUFF_SYMBOLS> leafOf;
  leafOf.fill(-1);
  for (int i = 0; i < tree.nodeCount; ++i) {
    if (tree.nodes[i].symbol >= 0) leafOf[tree.nodes[i].symbol] = i;
  }
  std::string bits;
  for (int symbol : symbols) {
    std::string path;
    for (int32_t node = leafOf[symbol]; node != tree.root;) {
      const int32_t parent = tree.nodes[node].parent;
      path += tree.nodes[parent].child[1] == node ? '1' : '0';
      node = parent;
    }
    bits.append(path.rbegin(), path.rend());
  }
  return StreamOf(counts, bits);
}

Counts RandomCounts(std::mt19937& rng) {
  Counts counts{};
  switch (rng() % 6) {
    case 0:  // a few symbols
      for (int k = rng() % 4; k >= 0; --k) counts[rng() % 256] = 1 + rng() % 50;
      break;
    case 1:  // geometric
      for (int v = 0; v < 256; ++v) counts[v] = rng() % 2 ? 1 << (rng() % 31) : 0;
      break;
    case 2:  // a chain of 256 leaves: codes up to 256 bits
      counts.fill(-1);
      break;
    case 3: {  // Fibonacci, wrapping past 32 bits
      uint32_t a = 1, b = 1;
      for (int32_t& c : counts) {
        c = static_cast<int32_t>(a);
        std::tie(a, b) = std::pair(b, a + b);
      }
      break;
    }
    case 4:  // anything a damaged file may hold
      for (int32_t& c : counts) c = static_cast<int32_t>(rng());
      break;
    default:
      for (int32_t& c : counts) c = rng() % 4 ? rng() % 1000 : 0;
  }
  return counts;
}

// Symbols drawn evenly from those in the tree, so deep leaves come up often.
std::vector<int> RandomSymbols(const Counts& counts, std::mt19937& rng) {
  std::vector<int> present;
  for (int v = 0; v < 256; ++v) {
    if (counts[v] != 0) present.push_back(v);
  }
  std::vector<int> symbols;
  if (present.empty()) return symbols;
  for (int k = rng() % 2000; k > 0; --k) symbols.push_back(present[rng() % present.size()]);
  if (rng() % 4) symbols.push_back(HUFF_END_SYMBOL);
  return symbols;
}

Bytes RandomStream(std::mt19937& rng) {
  const Counts counts = RandomCounts(rng);
  if (rng() % 3 == 0) {  // garbage bits
    Bytes stream = CountTable(counts);
    for (int k = rng() % 4000; k > 0; --k) stream.push_back(static_cast<uint8_t>(rng()));
    return stream;
  }
  return EncodeSymbols(counts, RandomSymbols(counts, rng));
}

// Whole streams at any output size, and the first bytes of streams cut at every length.
TEST(HuffDecode, MatchesTheBitByBitDecoder) {
  std::mt19937 rng(2024);
  for (int round = 0; round < 420; ++round) {
    Bytes stream = RandomStream(rng);
    const size_t expected = Decode(stream, 1 << 16, true).count;
    std::vector<std::pair<size_t, size_t>> tries = {{stream.size(), expected},
                                                    {stream.size(), rng() % (expected + 20)}};
    if (round >= 400) {
      tries.clear();
      for (size_t size = std::min(stream.size(), HUFF_COUNTS_SIZE + 40); size >= HUFF_COUNTS_SIZE; --size)
        tries.push_back({size, 500});
    }
    for (const auto& [size, outSize] : tries) {
      const Bytes part(stream.begin(), stream.begin() + static_cast<long>(size));
      const Decoded reference = Decode(part, outSize, true), fast = Decode(part, outSize);
      ASSERT_EQ(fast.count, reference.count) << "round " << round << " size " << size;
      ASSERT_EQ(fast.bytes, reference.bytes) << "round " << round << " size " << size;
    }
  }
}

}  // namespace
