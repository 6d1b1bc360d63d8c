// A tracker song as the composer builds it, independent of the file format it
// is written in. Notes count semitones from C-0; note 48 (C-4) plays a sample
// at its base rate, 8363 Hz shifted by the sample's relative note.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

constexpr int NO_NOTE = -1;
constexpr int NOTE_OFF = -2;
constexpr int NO_VOLUME = -1;

enum class Effect : uint8_t { None, Speed, Tempo, Arpeggio };

struct Cell {
  int note = NO_NOTE;      // 0..95, NO_NOTE or NOTE_OFF
  int instrument = 0;      // 1-based; 0 keeps the channel's instrument
  int volume = NO_VOLUME;  // 0..64
  Effect effect = Effect::None;
  uint8_t param = 0;
};

struct Pattern {
  int rows = 64;
  int channels = 4;
  std::vector<Cell> cells = std::vector<Cell>(rows * channels);

  Cell& at(int row, int channel) { return cells.at(row * channels + channel); }
  const Cell& at(int row, int channel) const { return cells.at(row * channels + channel); }
};

// A volume envelope in ticks and 0..64, with an optional sustain point; XM only.
struct Envelope {
  std::vector<std::pair<int, int>> points;
  int sustain = -1;
  int fadeout = 0;
};

struct Instrument {
  std::string name;
  std::vector<int16_t> data;
  int loopStart = 0;
  int loopLength = 0;  // 0: no loop
  int relativeNote = 0;
  int volume = 64;
  int pan = 128;  // XM keeps panning per sample
  Envelope envelope;
};

struct Song {
  std::string title;
  int channels = 4;
  int speed = 6;    // ticks per row
  int tempo = 125;  // beats per minute, as trackers count them
  std::vector<int> pan;  // per channel, 0..255; only S3M keeps panning per channel
  std::vector<Instrument> instruments;
  std::vector<Pattern> patterns;
  std::vector<int> orders;
};
