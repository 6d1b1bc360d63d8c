// A minimal ProTracker module: one looped square wave struck on row 0 of the
// only pattern, which breaks after rows rows at speed 6, so it plays rows * 0.12 s.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

inline std::vector<uint8_t> TinyModule(int rows) {
  constexpr int kSampleBytes = 256;
  constexpr int kRowBytes = 4 * 4;
  std::vector<uint8_t> mod(20 + 31 * 30, 0);  // title, then the sample headers
  auto put16 = [&](size_t at, int value) {  // big-endian
    mod[at] = static_cast<uint8_t>(value >> 8);
    mod[at + 1] = static_cast<uint8_t>(value);
  };
  // Sample 1: its length in words, full volume, looped whole; the others unlooped.
  const size_t sample1 = 20 + 22;
  put16(sample1, kSampleBytes / 2);
  mod[sample1 + 3] = 64;
  put16(sample1 + 6, kSampleBytes / 2);
  for (int s = 1; s < 31; ++s) put16(20 + s * 30 + 22 + 6, 1);
  mod.push_back(1);    // orders
  mod.push_back(127);  // restart byte
  mod.resize(mod.size() + 128, 0);
  for (char c : {'M', '.', 'K', '.'}) mod.push_back(static_cast<uint8_t>(c));

  const size_t pattern = mod.size();
  mod.resize(pattern + 64 * kRowBytes, 0);
  const int period = 428;  // C-2
  mod[pattern + 0] = static_cast<uint8_t>(period >> 8);
  mod[pattern + 1] = static_cast<uint8_t>(period & 0xFF);
  mod[pattern + 2] = 0x10;      // sample 1, no effect
  mod[pattern + 4 + 2] = 0x0F;  // channel 2: speed 6
  mod[pattern + 4 + 3] = 6;
  const int last = rows < 1 ? 0 : (rows > 64 ? 63 : rows - 1);
  mod[pattern + static_cast<size_t>(last) * kRowBytes + 8 + 2] = 0x0D;  // channel 3: break

  for (int i = 0; i < kSampleBytes; ++i) mod.push_back((i / 16) % 2 == 0 ? 0x40 : 0xC0);
  return mod;
}
