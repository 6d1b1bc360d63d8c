#include <emmintrin.h>

#include <algorithm>
#include <cstring>

#include "pictures/draw.h"

namespace {

constexpr size_t STREAM_BLOCK = 32;
constexpr size_t CHUNK_MIN_COUNT = 32;
// Blocks from this size on do not stay in the cache anyway, so their stores
// bypass it; smaller ones (rows, panels) are read again within the frame and
// would only be slowed by streaming.
constexpr size_t STREAM_MIN_COUNT = size_t{1} << 20;

// Aligned stores need a 16-byte aligned destination: the bytes before its
// first boundary and those after the last whole block are copied plainly.
template <bool streaming>
void BlockCopy(const uint8_t* from, uint8_t* to, size_t count) {
  const size_t head = std::min(count, (16 - reinterpret_cast<uintptr_t>(to) % 16) % 16);
  std::memcpy(to, from, head);
  size_t done = head;
  for (; count - done >= STREAM_BLOCK; done += STREAM_BLOCK) {
    const auto* in = reinterpret_cast<const __m128i*>(from + done);
    auto* out = reinterpret_cast<__m128i*>(to + done);
    const __m128i a = _mm_loadu_si128(in);
    const __m128i b = _mm_loadu_si128(in + 1);
    if constexpr (streaming) {
      _mm_stream_si128(out, a);
      _mm_stream_si128(out + 1, b);
    } else {
      _mm_store_si128(out, a);
      _mm_store_si128(out + 1, b);
    }
  }
  if constexpr (streaming) _mm_sfence();
  std::memcpy(to + done, from + done, count - done);
}

void StreamCopy(const uint8_t* from, uint8_t* to, size_t count) {
  if (count >= STREAM_MIN_COUNT) {
    BlockCopy<true>(from, to, count);
  } else {
    BlockCopy<false>(from, to, count);
  }
}

void ByteCopy(const uint8_t* from, uint8_t* to, size_t count) {
  for (size_t i = 0; i < count; ++i) to[i] = from[i];
}

void ChunkCopy(const uint8_t* from, uint8_t* to, size_t count) {
  if (count < CHUNK_MIN_COUNT) {
    ByteCopy(from, to, count);
    return;
  }
  size_t done = 0;
  for (; count - done >= sizeof(uint64_t); done += sizeof(uint64_t)) {
    uint64_t chunk;
    std::memcpy(&chunk, from + done, sizeof chunk);
    std::memcpy(to + done, &chunk, sizeof chunk);
  }
  ByteCopy(from + done, to + done, count - done);
}

CopyMode copyMode = COPY_PLAIN;

bool Overlap(const uint8_t* a, const uint8_t* b, size_t count) {
  const auto x = reinterpret_cast<uintptr_t>(a);
  const auto y = reinterpret_cast<uintptr_t>(b);
  return x < y + count && y < x + count;
}

}  // namespace

CopyMode SetCopyMode(CopyMode mode) {
  const CopyMode previous = copyMode;
  copyMode = mode;
  return previous;
}

void FastCopy(const void* source, void* destination, int32_t bytes) {
  if (bytes <= 0) return;
  const auto* from = static_cast<const uint8_t*>(source);
  auto* to = static_cast<uint8_t*>(destination);
  const auto count = static_cast<size_t>(bytes);
  // Overlapping blocks would come out differently from each forward copy;
  // memmove keeps the result independent of the options.
  if (Overlap(from, to, count)) {
    std::memmove(to, from, count);
  } else if (copyMode == COPY_SSE2) {
    StreamCopy(from, to, count);
  } else if (copyMode == COPY_CHUNKS) {
    ChunkCopy(from, to, count);
  } else {
    std::memcpy(to, from, count);
  }
}
