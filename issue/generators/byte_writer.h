// A growing byte buffer for the module writers: little- and big-endian
// integers, fixed-width text, and patching a value written earlier.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string_view>
#include <vector>

class ByteWriter {
 public:
  void U8(int v) { bytes_.push_back(static_cast<uint8_t>(v)); }
  void U16(int v) { U8(v), U8(v >> 8); }
  void U32(uint32_t v) { U16(static_cast<int>(v & 0xFFFF)), U16(static_cast<int>(v >> 16)); }
  void U16Big(int v) { U8(v >> 8), U8(v); }
  // Exactly width bytes: text cut or padded with zeros.
  void Text(std::string_view text, size_t width) {
    for (size_t i = 0; i < width; ++i) U8(i < text.size() ? text[i] : 0);
  }
  void Zeros(size_t count) { bytes_.insert(bytes_.end(), count, 0); }
  void PadTo(size_t multiple) { Zeros((multiple - bytes_.size() % multiple) % multiple); }
  void PatchU16(size_t at, int v) {
    bytes_.at(at) = static_cast<uint8_t>(v);
    bytes_.at(at + 1) = static_cast<uint8_t>(v >> 8);
  }
  void Patch(size_t at, const ByteWriter& part) {
    if (at + part.Size() > Size()) throw std::out_of_range("patch past the end");
    std::copy(part.bytes_.begin(), part.bytes_.end(), bytes_.begin() + static_cast<std::ptrdiff_t>(at));
  }
  size_t Size() const { return bytes_.size(); }
  const std::vector<uint8_t>& Bytes() const { return bytes_; }

 private:
  std::vector<uint8_t> bytes_;
};
