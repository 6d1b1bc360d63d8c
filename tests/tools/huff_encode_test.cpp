#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <random>
#include <string>
#include <vector>

#include "magtool/huff_encode.h"
#include "resources/huff.h"

namespace {

using Bytes = std::vector<uint8_t>;

// Checks that the stream decodes back byte for byte, without a byte to spare: one byte less leaves the end symbol cut.
void ExpectRoundTrip(const Bytes& data) {
  const Bytes stream = HuffEncode(data.data(), data.size());
  ASSERT_GE(stream.size(), HUFF_COUNTS_SIZE);
  Bytes decoded(data.size() + 1);
  ASSERT_EQ(HuffDecode(stream.data(), stream.size(), decoded.data(), decoded.size()),
            data.size());
  decoded.pop_back();
  ASSERT_TRUE(decoded == data);
}

// Fibonacci counts make a chain: 33 symbols give codes of 33 bits, more than
// the packer's 32-bit code words and far more than the decoder's table.
Bytes FibonacciData() {
  Bytes data;
  size_t a = 1, b = 1;
  for (int v = 0; v < 33; ++v) {
    data.insert(data.end(), a, static_cast<uint8_t>(v * 7));
    std::tie(a, b) = std::pair(b, a + b);
  }
  std::shuffle(data.begin(), data.begin() + 100000, std::mt19937(1));
  std::rotate(data.begin(), data.begin() + data.size() / 3, data.end());
  return data;
}

TEST(HuffEncode, EveryKindOfDataRoundTrips) {
  std::vector<Bytes> cases = {{}, {0}, Bytes(100, 0x41), Bytes(256), Bytes(200000), FibonacciData()};
  std::iota(cases[3].begin(), cases[3].end(), 0);  // every byte value
  std::mt19937 rng(5);
  for (uint8_t& b : cases[4]) b = static_cast<uint8_t>(rng());
  for (size_t i = 0; i < cases.size(); ++i) {
    SCOPED_TRACE(i);
    ExpectRoundTrip(cases[i]);
  }
}

}  // namespace
