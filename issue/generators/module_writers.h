// Writers of the three tracker formats the demo's tunes use. Each throws
// std::invalid_argument for a song its format cannot hold.
#pragma once

#include <cstdint>
#include <vector>

#include "generators/song.h"

// FastTracker 2 XM 1.04: 16-bit samples, linear frequencies, volume envelopes.
std::vector<uint8_t> EncodeXm(const Song& song);

// ProTracker "M.K.": 4 channels, 64-row patterns, 8-bit samples, notes C-1..B-3
// (C-3..B-5 here, after each instrument's relative note); volumes go in Cxx.
std::vector<uint8_t> EncodeMod(const Song& song);

// Scream Tracker 3: 64-row patterns, 16-bit samples, per-channel panning.
std::vector<uint8_t> EncodeS3m(const Song& song);
