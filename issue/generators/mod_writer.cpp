#include <array>
#include <stdexcept>

#include "generators/byte_writer.h"
#include "generators/module_writers.h"

namespace {

constexpr int SAMPLES = 31;
constexpr int LOWEST = 36;  // C-3 here is ProTracker's C-1
// ProTracker's periods for C-1..B-3 without finetune.
constexpr std::array<int, 36> PERIODS = {
    856, 808, 762, 720, 678, 640, 604, 570, 538, 508, 480, 453,
    428, 404, 381, 360, 339, 320, 302, 285, 269, 254, 240, 226,
    214, 202, 190, 180, 170, 160, 151, 143, 135, 127, 120, 113};

// Sample lengths count 16-bit words; an odd sample gets a zero at its end.
size_t Words(const Instrument& instrument) { return (instrument.data.size() + 1) / 2; }

void WriteSampleHeader(ByteWriter& out, const Instrument* instrument) {
  if (!instrument) {
    out.Zeros(22), out.U16Big(0), out.U8(0), out.U8(0), out.U16Big(0), out.U16Big(1);
    return;
  }
  if (instrument->loopStart % 2 || instrument->loopLength % 2 || instrument->data.size() >= 0x20000) {
    throw std::invalid_argument("MOD loops are whole words, samples under 128 KiB");
  }
  out.Text(instrument->name, 22);
  out.U16Big(static_cast<int>(Words(*instrument)));
  out.U8(0);  // finetune
  out.U8(instrument->volume);
  out.U16Big(instrument->loopStart / 2);
  out.U16Big(instrument->loopLength ? instrument->loopLength / 2 : 1);
}

int PeriodOf(const Song& song, const Cell& cell) {
  if (cell.note < 0) return 0;
  if (!cell.instrument) throw std::invalid_argument("every MOD note names its sample here");
  const int at = cell.note + song.instruments.at(cell.instrument - 1).relativeNote - LOWEST;
  if (at < 0 || at >= static_cast<int>(PERIODS.size())) throw std::invalid_argument("note outside MOD's range");
  return PERIODS[at];
}

// Volume and key release both become Cxx when the effect column is free.
std::pair<int, int> EffectOf(const Cell& cell) {
  switch (cell.effect) {
    case Effect::Speed:
    case Effect::Tempo: return {0x0F, cell.param};
    case Effect::Arpeggio: return {0x00, cell.param};
    case Effect::None: break;
  }
  if (cell.note == NOTE_OFF) return {0x0C, 0};
  if (cell.volume != NO_VOLUME) return {0x0C, cell.volume};
  return {0, 0};
}

void WriteCell(ByteWriter& out, const Song& song, const Cell& cell) {
  const int period = PeriodOf(song, cell);
  const int sample = cell.note >= 0 ? cell.instrument : 0;
  const auto [effect, param] = EffectOf(cell);
  out.U8((sample & 0xF0) | (period >> 8));
  out.U8(period & 0xFF);
  out.U8((sample & 0x0F) << 4 | effect);
  out.U8(param);
}

}  // namespace

std::vector<uint8_t> EncodeMod(const Song& song) {
  if (song.channels != 4 || song.instruments.size() > SAMPLES || song.orders.size() > 128) {
    throw std::invalid_argument("MOD holds 4 channels, 31 samples and 128 orders");
  }
  ByteWriter out;
  out.Text(song.title, 20);
  for (int i = 0; i < SAMPLES; ++i) {
    WriteSampleHeader(out, i < static_cast<int>(song.instruments.size()) ? &song.instruments[i] : nullptr);
  }
  out.U8(static_cast<int>(song.orders.size()));
  out.U8(127);
  for (int i = 0; i < 128; ++i) out.U8(i < static_cast<int>(song.orders.size()) ? song.orders[i] : 0);
  out.Text("M.K.", 4);
  for (const Pattern& pattern : song.patterns) {
    if (pattern.rows != 64 || pattern.channels != 4) throw std::invalid_argument("MOD patterns are 64 x 4");
    for (const Cell& cell : pattern.cells) WriteCell(out, song, cell);
  }
  for (const Instrument& instrument : song.instruments) {
    for (int16_t s : instrument.data) out.U8(s >> 8);
    out.Zeros(2 * Words(instrument) - instrument.data.size());
  }
  return out.Bytes();
}
