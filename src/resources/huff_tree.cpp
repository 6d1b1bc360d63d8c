#include <algorithm>

#include "resources/huff.h"

namespace {

// Heap order for the node picks: the smallest count comes out first, and among
// equal counts the highest index. Indices are unique, so the order is total and
// a heap picks exactly the node a linear scan would.
struct PickedLater {
  const HuffTree& tree;

  bool operator()(int32_t a, int32_t b) const {
    const HuffNode& x = tree.nodes[a];
    const HuffNode& y = tree.nodes[b];
    if (x.count != y.count) return x.count > y.count;
    return x.index < y.index;
  }
};

// Damaged counts may overflow; the sum wraps instead of being undefined.
int32_t WrappingSum(int32_t a, int32_t b) {
  return static_cast<int32_t>(static_cast<uint32_t>(a) + static_cast<uint32_t>(b));
}

int32_t AddNode(HuffTree& tree, int32_t count, int32_t symbol, int32_t child0, int32_t child1) {
  const int32_t index = tree.nodeCount++;
  tree.nodes[index] = HuffNode{count, symbol, index, {child0, child1}, -1};
  return index;
}

}  // namespace

void HuffReadCounts(const uint8_t* stream, int32_t counts[256]) {
  for (int v = 0; v < 256; ++v) {
    const uint8_t* p = stream + 4 * v;
    const uint32_t u = p[0] | p[1] << 8 | p[2] << 16 | uint32_t{p[3]} << 24;
    counts[v] = static_cast<int32_t>(u);
  }
}

void HuffBuildTree(const int32_t counts[256], HuffTree& tree) {
  tree.nodeCount = 0;
  std::array<int32_t, HUFF_SYMBOLS> active;
  auto activeEnd = active.begin();
  for (int32_t symbol = 0; symbol < HUFF_SYMBOLS; ++symbol) {
    const int32_t count = symbol == HUFF_END_SYMBOL ? 1 : counts[symbol];
    if (count != 0) *activeEnd++ = AddNode(tree, count, symbol, -1, -1);
  }

  const PickedLater later{tree};
  std::make_heap(active.begin(), activeEnd, later);
  auto pick = [&] {
    std::pop_heap(active.begin(), activeEnd, later);
    return *--activeEnd;
  };
  while (activeEnd - active.begin() > 1) {
    const int32_t a = pick();
    const int32_t b = pick();
    const int32_t sum = WrappingSum(tree.nodes[a].count, tree.nodes[b].count);
    const int32_t inner = AddNode(tree, sum, -1, a, b);
    tree.nodes[a].parent = inner;
    tree.nodes[b].parent = inner;
    *activeEnd++ = inner;
    std::push_heap(active.begin(), activeEnd, later);
  }
  tree.root = tree.nodeCount - 1;
}
