// HUFF: the static Huffman coding of packed archive members.
//
// A stream is 256 little-endian signed 32-bit counts (count of each byte value
// in the member) followed by the bit stream. The symbols are the byte values
// and an end symbol (256) whose count is always 1 and not stored. Codes are the
// paths from the root of the tree built by HuffBuildTree, first branch first,
// packed least significant bit first. The packer (magtool) builds its codes
// from the same tree, so the two must never diverge.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

constexpr int HUFF_SYMBOLS = 257;  // byte values and the end symbol
constexpr int HUFF_END_SYMBOL = 256;
constexpr int HUFF_MAX_NODES = 2 * HUFF_SYMBOLS - 1;
constexpr size_t HUFF_COUNTS_SIZE = 256 * 4;  // the count table in front of the bits

struct HuffNode {
  int32_t count;
  int32_t symbol;    // 0..256 for a leaf, -1 for an inner node
  int32_t index;     // position in the node table
  int32_t child[2];  // node indices; -1 for a leaf
  int32_t parent;    // node index; -1 for the root
};

struct HuffTree {
  std::array<HuffNode, HUFF_MAX_NODES> nodes;
  int32_t nodeCount;  // 2L - 1 for L symbols with a non-zero count
  int32_t root;       // the last node created
};

// Builds the code tree from the 256 stored counts (the end symbol is added with
// count 1). Leaves take indices in increasing symbol order; each inner node
// joins the two active nodes of smallest count, the highest index winning ties,
// the first picked becoming child 0. Sums wrap as 32-bit two's complement.
void HuffBuildTree(const int32_t counts[256], HuffTree& tree);

// Reads the 256 counts at the start of a stream (little-endian).
void HuffReadCounts(const uint8_t* stream, int32_t counts[256]);

// Decodes a whole stream into output and returns the number of bytes decoded.
// Writes at most outputSize bytes (further bytes are counted, not stored), and
// stops at the end symbol or when the stream's bits run out. A stream shorter
// than the count table decodes to 0 bytes; a tree of the end symbol alone
// (all counts zero) decodes to 0 bytes. Never reads outside stream.
size_t HuffDecode(const uint8_t* stream, size_t streamSize, uint8_t* output, size_t outputSize);
