#include <algorithm>
#include <bit>
#include <cstring>

#include "resources/huff.h"

namespace {

// Codes are decoded through a table indexed by the next 9 to 12 stream bits
// (first bit lowest). An entry holds up to two whole byte codes; a code that is
// longer than the table, or the end symbol, gives instead the node reached, and
// the tree walk goes on from there one bit at a time.
constexpr unsigned MIN_TABLE_BITS = 9;
constexpr unsigned MAX_TABLE_BITS = 12;

// One load of 64 bits, shifted by up to 7, leaves 57 usable bits: room for
// four entries of at most 12 bits.
constexpr int ENTRIES_PER_LOAD = 4;
static_assert(ENTRIES_PER_LOAD * MAX_TABLE_BITS <= 57);
constexpr size_t FAST_OUTPUT_MARGIN = 2 * ENTRIES_PER_LOAD;

// An entry packed in 32 bits so that a 12-bit table stays in the L1 cache:
//   bits  0-5   bits used by the whole entry; lowest, so a shift by the entry
//               needs no extraction on the hot path
//   bits  8-23  the two decoded bytes, or the node index for a node entry
//   bits 24-27  bits used by the first code alone
//   bits 28-29  bytes decoded: 1 or 2, or 0 for a node entry
using Entry = uint32_t;

constexpr Entry MakeEntry(unsigned value, unsigned bits, unsigned firstBits, unsigned byteCount) {
  return bits | value << 8 | firstBits << 24 | byteCount << 28;
}
constexpr unsigned EntryBits(Entry e) { return e & 63; }
constexpr unsigned EntryFirstBits(Entry e) { return (e >> 24) & 15; }
constexpr unsigned EntryByteCount(Entry e) { return e >> 28; }
constexpr uint8_t EntryFirstByte(Entry e) { return static_cast<uint8_t>(e >> 8); }
constexpr uint8_t EntrySecondByte(Entry e) { return static_cast<uint8_t>(e >> 16); }
constexpr int32_t EntryNode(Entry e) { return static_cast<int32_t>((e >> 8) & 0xffff); }
constexpr Entry NO_ENTRY = 0;  // every real entry uses at least one bit

// A table entry costs about as much to build as a code costs to decode, so a
// short stream gets a smaller table: about a quarter entry per stored byte.
// Beyond twice the longest code a larger table buys nothing.
unsigned TableBits(size_t streamBytes, unsigned maxDepth) {
  const auto forSize = static_cast<unsigned>(std::bit_width(streamBytes >> 2));
  return std::min(std::clamp(forSize, MIN_TABLE_BITS, MAX_TABLE_BITS), 2 * maxDepth);
}

uint64_t Load64LittleEndian(const uint8_t* p) {
  uint64_t v;
  std::memcpy(&v, p, sizeof v);
  if constexpr (std::endian::native == std::endian::big) v = __builtin_bswap64(v);
  return v;
}

class Decoder {
 public:
  Decoder(const uint8_t* data, size_t dataSize, uint8_t* output, size_t outputSize)
      : data_(data),
        dataSize_(dataSize),
        bitCount_(8 * uint64_t{dataSize}),
        output_(output),
        outputSize_(outputSize) {}

  size_t Run(const int32_t counts[256]) {
    HuffBuildTree(counts, tree_);
    if (IsLeaf(tree_.root)) return 0;  // the end symbol alone: an empty member
    BuildTable();
    if (RunFast()) RunCareful();
    return decoded_;
  }

 private:
  bool IsLeaf(int32_t node) const { return tree_.nodes[node].symbol >= 0; }

  void BuildTable();
  void FillTable(int32_t node, unsigned depth, uint32_t code);
  void PairEntries();
  bool RunFast();
  Entry DecodeByteEntries();
  void RunCareful();
  bool DecodeCarefully();
  bool FollowNode(Entry e);
  uint32_t PeekTableBits() const;

  void Emit(uint8_t byte) {
    if (decoded_ < outputSize_) output_[decoded_] = byte;
    ++decoded_;
  }

  HuffTree tree_;
  std::array<Entry, size_t{1} << MAX_TABLE_BITS> table_;
  unsigned tableBits_ = 0;
  const uint8_t* data_;  // the bit stream, after the counts
  size_t dataSize_;
  uint64_t bitCount_;
  uint64_t position_ = 0;  // in bits
  uint8_t* output_;
  size_t outputSize_;
  size_t decoded_ = 0;
};

// Parents have higher indices than their children, so walking the node table
// downwards from the root reaches every parent before its children.
void Decoder::BuildTable() {
  std::array<uint16_t, HUFF_MAX_NODES> depth;
  std::array<uint32_t, HUFF_MAX_NODES> code;
  depth[tree_.root] = 0;
  code[tree_.root] = 0;
  unsigned maxDepth = 0;
  for (int32_t i = tree_.root; i >= 0; --i) {
    maxDepth = std::max<unsigned>(maxDepth, depth[i]);
    if (IsLeaf(i)) continue;
    for (uint32_t bit = 0; bit < 2; ++bit) {
      const int32_t child = tree_.nodes[i].child[bit];
      depth[child] = depth[i] + 1;
      // Only codes that fit the table are used.
      code[child] = depth[i] < MAX_TABLE_BITS ? code[i] | bit << depth[i] : 0;
    }
  }
  tableBits_ = TableBits(dataSize_, maxDepth);
  for (int32_t i = tree_.root; i >= 0; --i) {
    const bool ends = IsLeaf(i) || depth[i] == tableBits_;
    if (depth[i] <= tableBits_ && ends) FillTable(i, depth[i], code[i]);
  }
  PairEntries();
}

// Every index whose low `depth` bits equal the node's code leads to the node.
void Decoder::FillTable(int32_t node, unsigned depth, uint32_t code) {
  const int32_t symbol = tree_.nodes[node].symbol;
  const Entry e = symbol >= 0 && symbol < HUFF_END_SYMBOL ? MakeEntry(symbol, depth, depth, 1)
                                                          : MakeEntry(node, depth, depth, 0);
  const uint32_t size = uint32_t{1} << tableBits_;
  for (uint32_t index = code; index < size; index += uint32_t{1} << depth) {
    table_[index] = e;
  }
}

// Adds a second byte to each entry whose remaining bits hold a whole byte code.
// Only the first-code fields of the looked-up entry are used, so entries paired
// earlier in the pass serve as well as unpaired ones.
void Decoder::PairEntries() {
  const uint32_t size = uint32_t{1} << tableBits_;
  for (uint32_t index = 0; index < size; ++index) {
    const Entry first = table_[index];
    if (EntryByteCount(first) == 0) continue;
    const unsigned firstBits = EntryFirstBits(first);
    const Entry second = table_[index >> firstBits];
    const unsigned bits = firstBits + EntryFirstBits(second);
    if (EntryByteCount(second) == 0 || bits > tableBits_) continue;
    const unsigned bytes = EntryFirstByte(first) | EntryFirstByte(second) << 8;
    table_[index] = MakeEntry(bytes, bits, firstBits, 2);
  }
}

// Decodes while a full 64-bit load stays within the stream and the output has
// room for a whole load's bytes. Returns false once decoding has ended.
bool Decoder::RunFast() {
  for (;;) {
    const Entry e = DecodeByteEntries();
    if (e == NO_ENTRY) return true;
    if (!FollowNode(e)) return false;
  }
}

// The hot loop, on locals: output stores may alias any member. Stops at the
// first node entry and returns it, its bits not yet taken, or NO_ENTRY once
// the stream or the output runs short.
Entry Decoder::DecodeByteEntries() {
  const Entry* const table = table_.data();
  const uint64_t mask = (uint64_t{1} << tableBits_) - 1;
  const uint8_t* const data = data_;
  const size_t dataSize = dataSize_;
  uint8_t* const output = output_;
  const size_t fastOutputEnd =
      outputSize_ >= FAST_OUTPUT_MARGIN ? outputSize_ - FAST_OUTPUT_MARGIN : 0;
  uint64_t position = position_;
  size_t decoded = decoded_;
  Entry node = NO_ENTRY;
  while (node == NO_ENTRY && (position >> 3) + 8 <= dataSize && decoded < fastOutputEnd) {
    uint64_t bits = Load64LittleEndian(data + (position >> 3)) >> (position & 7);
    for (int k = 0; k < ENTRIES_PER_LOAD; ++k) {
      const Entry e = table[bits & mask];
      if (EntryByteCount(e) == 0) {
        node = e;
        break;
      }
      // The second byte is written even for a one-byte entry; the margin
      // allows it and the next entry overwrites it.
      output[decoded] = EntryFirstByte(e);
      output[decoded + 1] = EntrySecondByte(e);
      decoded += EntryByteCount(e);
      position += EntryBits(e);
      bits >>= EntryBits(e);
    }
  }
  position_ = position;
  decoded_ = decoded;
  return node;
}

// Near the end of the stream, or once the output is full, one code at a time
// with every bit checked against the stream's end.
void Decoder::RunCareful() {
  while (DecodeCarefully()) {
  }
}

bool Decoder::DecodeCarefully() {
  const Entry e = table_[PeekTableBits()];
  if (EntryByteCount(e) == 0) return FollowNode(e);
  // A code that needs bits past the end would have run out before its leaf.
  const unsigned bits = EntryFirstBits(e);
  if (bits > bitCount_ - position_) return false;
  position_ += bits;
  Emit(EntryFirstByte(e));
  return true;
}

// The next table bits, with zeros past the end of the stream.
uint32_t Decoder::PeekTableBits() const {
  const size_t byte = position_ >> 3;
  const size_t available = std::min<size_t>(3, dataSize_ - byte);
  uint32_t bits = 0;
  for (size_t k = 0; k < available; ++k) bits |= uint32_t{data_[byte + k]} << (8 * k);
  return (bits >> (position_ & 7)) & ((uint32_t{1} << tableBits_) - 1);
}

// Goes on from the node a table entry reached, one bit at a time. Returns
// false at the end symbol or when the stream's bits run out.
bool Decoder::FollowNode(Entry e) {
  if (EntryBits(e) > bitCount_ - position_) return false;
  position_ += EntryBits(e);
  int32_t node = EntryNode(e);
  while (!IsLeaf(node)) {
    if (position_ == bitCount_) return false;
    const unsigned bit = (data_[position_ >> 3] >> (position_ & 7)) & 1;
    ++position_;
    node = tree_.nodes[node].child[bit];
  }
  const int32_t symbol = tree_.nodes[node].symbol;
  if (symbol == HUFF_END_SYMBOL) return false;
  Emit(static_cast<uint8_t>(symbol));
  return true;
}

}  // namespace

size_t HuffDecode(const uint8_t* stream, size_t streamSize, uint8_t* output, size_t outputSize) {
  if (streamSize < HUFF_COUNTS_SIZE) return 0;
  int32_t counts[256];
  HuffReadCounts(stream, counts);
  Decoder decoder(stream + HUFF_COUNTS_SIZE, streamSize - HUFF_COUNTS_SIZE, output, outputSize);
  return decoder.Run(counts);
}
