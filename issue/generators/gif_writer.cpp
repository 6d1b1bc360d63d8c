#include "generators/gif_writer.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstddef>
#include <fstream>
#include <stdexcept>
#include <string_view>

namespace {

constexpr int MAX_CODE_BITS = 12;
constexpr int TABLE_SIZE = 1 << MAX_CODE_BITS;
constexpr size_t SUB_BLOCK_MAX = 255;
constexpr uint8_t IMAGE_SEPARATOR = 0x2C;
constexpr uint8_t TRAILER = 0x3B;
constexpr uint8_t GLOBAL_TABLE_FLAG = 0x80;

// The strings of the LZW table as (prefix code, next index) -> code, in open
// addressing. At most TABLE_SIZE are live, so twice as many slots keep probe
// runs short.
class Dictionary {
 public:
  void Clear() { keys_.fill(EMPTY); }

  int Find(int prefix, uint8_t next) const {
    const uint32_t key = Key(prefix, next);
    for (uint32_t slot = Hash(key);; slot = (slot + 1) & (SLOTS - 1)) {
      if (keys_[slot] == key) return codes_[slot];
      if (keys_[slot] == EMPTY) return -1;
    }
  }

  void Add(int prefix, uint8_t next, int code) {
    const uint32_t key = Key(prefix, next);
    uint32_t slot = Hash(key);
    while (keys_[slot] != EMPTY) slot = (slot + 1) & (SLOTS - 1);
    keys_[slot] = key;
    codes_[slot] = static_cast<uint16_t>(code);
  }

 private:
  static constexpr uint32_t SLOTS = 2 * TABLE_SIZE;
  static constexpr uint32_t EMPTY = UINT32_MAX;

  static uint32_t Key(int prefix, uint8_t next) {
    return static_cast<uint32_t>(prefix) << 8 | next;
  }
  static uint32_t Hash(uint32_t key) { return ((key * 2654435761u) >> 19) & (SLOTS - 1); }

  std::array<uint32_t, SLOTS> keys_{};
  std::array<uint16_t, SLOTS> codes_{};
};

// Codes packed least significant bit first.
struct BitWriter {
  std::vector<uint8_t> bytes;
  uint32_t bits = 0;
  int count = 0;

  void Put(int code, int width) {
    bits |= static_cast<uint32_t>(code) << count;
    for (count += width; count >= 8; count -= 8, bits >>= 8) {
      bytes.push_back(static_cast<uint8_t>(bits));
    }
  }
  void Flush() {
    if (count > 0) bytes.push_back(static_cast<uint8_t>(bits));
  }
};

// The encoder's own table, and a copy of the decoder's code width state: a
// decoder adds one entry for every code but the first after a clear, and
// widens its codes when its next free code reaches the limit. Following it
// step by step keeps both sides switching width on the same code.
struct LzwEncoder {
  explicit LzwEncoder(int minimumCodeSize)
      : minCodeSize(minimumCodeSize),
        clear(1 << minimumCodeSize),
        end(clear + 1),
        firstFree(clear + 2),
        codeSize(minimumCodeSize + 1) {}

  int minCodeSize;
  int clear;
  int end;
  int firstFree;
  int nextCode = 0;  // the next string the encoder defines
  Dictionary dictionary;

  int codeSize;
  int limit = 0;
  int decoderNext = 0;  // the decoder's next free code
  bool firstAfterClear = true;

  BitWriter out;
};

void FollowDecoder(LzwEncoder& e, int code) {
  if (code == e.clear) {
    e.codeSize = e.minCodeSize + 1;
    e.limit = 1 << e.codeSize;
    e.decoderNext = e.firstFree;
    e.firstAfterClear = true;
    return;
  }
  if (e.firstAfterClear) {
    e.firstAfterClear = false;
    return;
  }
  if (e.decoderNext >= e.limit) return;  // full: the decoder adds nothing
  ++e.decoderNext;
  if (e.decoderNext == e.limit && e.codeSize < MAX_CODE_BITS) {
    e.limit <<= 1;
    ++e.codeSize;
  }
}

void EmitCode(LzwEncoder& e, int code) {
  e.out.Put(code, e.codeSize);
  FollowDecoder(e, code);
}

void Restart(LzwEncoder& e) {
  EmitCode(e, e.clear);
  e.dictionary.Clear();
  e.nextCode = e.firstFree;
}

void Define(LzwEncoder& e, int prefix, uint8_t next) {
  e.dictionary.Add(prefix, next, e.nextCode++);
  if (e.nextCode == TABLE_SIZE) Restart(e);
}

std::vector<uint8_t> EncodeLzw(const std::vector<uint8_t>& indices, int minCodeSize) {
  LzwEncoder e(minCodeSize);
  Restart(e);
  int current = indices.front();
  for (size_t i = 1; i < indices.size(); ++i) {
    const int found = e.dictionary.Find(current, indices[i]);
    if (found >= 0) {
      current = found;
      continue;
    }
    EmitCode(e, current);
    Define(e, current, indices[i]);
    current = indices[i];
  }
  EmitCode(e, current);
  EmitCode(e, e.end);
  e.out.Flush();
  return std::move(e.out.bytes);
}

int PaletteBits(const GifImage& image) {
  const size_t entries = image.palette.size() / 3;
  if (image.palette.size() % 3 != 0 || entries < 2 || entries > 256 ||
      !std::has_single_bit(entries)) {
    throw std::invalid_argument("GIF palette must have 2..256 entries, a power of two");
  }
  return std::bit_width(entries) - 1;
}

void CheckIndices(const GifImage& image, int paletteBits) {
  const size_t pixels = static_cast<size_t>(image.width) * static_cast<size_t>(image.height);
  if (image.width < 1 || image.width > 65535 || image.height < 1 || image.height > 65535 ||
      image.indices.size() != pixels) {
    throw std::invalid_argument("GIF size must be 1..65535 each way, with one index per pixel");
  }
  const uint8_t largest = *std::max_element(image.indices.begin(), image.indices.end());
  if (largest >> paletteBits != 0) throw std::invalid_argument("GIF index beyond its palette");
}

void Put16le(std::vector<uint8_t>& file, int value) {
  file.push_back(static_cast<uint8_t>(value));
  file.push_back(static_cast<uint8_t>(value >> 8));
}

void PutHeaderAndTable(std::vector<uint8_t>& file, const GifImage& image, int paletteBits) {
  for (const char c : std::string_view("GIF89a")) file.push_back(static_cast<uint8_t>(c));
  Put16le(file, image.width);
  Put16le(file, image.height);
  const int n = paletteBits - 1;  // the table has 2^(n+1) entries
  file.push_back(static_cast<uint8_t>(GLOBAL_TABLE_FLAG | n << 4 | n));  // resolution, size
  file.push_back(0);  // background index
  file.push_back(0);  // pixel ratio
  file.insert(file.end(), image.palette.begin(), image.palette.end());
}

void PutImageDescriptor(std::vector<uint8_t>& file, const GifImage& image) {
  file.push_back(IMAGE_SEPARATOR);
  Put16le(file, 0);  // left
  Put16le(file, 0);  // top
  Put16le(file, image.width);
  Put16le(file, image.height);
  file.push_back(0);  // no local table, not interlaced
}

void PutSubBlocks(std::vector<uint8_t>& file, const std::vector<uint8_t>& data) {
  for (size_t at = 0; at < data.size(); at += SUB_BLOCK_MAX) {
    const size_t length = std::min(SUB_BLOCK_MAX, data.size() - at);
    file.push_back(static_cast<uint8_t>(length));
    file.insert(file.end(), data.begin() + static_cast<ptrdiff_t>(at),
                data.begin() + static_cast<ptrdiff_t>(at + length));
  }
  file.push_back(0);
}

}  // namespace

std::vector<uint8_t> EncodeGif(const GifImage& image) {
  const int paletteBits = PaletteBits(image);
  CheckIndices(image, paletteBits);
  const int minCodeSize = std::max(2, paletteBits);
  std::vector<uint8_t> file;
  PutHeaderAndTable(file, image, paletteBits);
  PutImageDescriptor(file, image);
  file.push_back(static_cast<uint8_t>(minCodeSize));
  PutSubBlocks(file, EncodeLzw(image.indices, minCodeSize));
  file.push_back(TRAILER);
  return file;
}

bool WriteGif(const std::string& path, const GifImage& image) {
  const std::vector<uint8_t> file = EncodeGif(image);
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(file.data()), static_cast<std::streamsize>(file.size()));
  return static_cast<bool>(out.flush());
}
