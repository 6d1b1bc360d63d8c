#include <stdexcept>

#include "generators/byte_writer.h"
#include "generators/module_writers.h"

namespace {

constexpr int KEY_OFF = 97;

void WriteHeader(ByteWriter& out, const Song& song) {
  out.Text("Extended Module: ", 17);
  out.Text(song.title, 20);
  out.U8(0x1A);
  out.Text("diskmag composer", 20);
  out.U16(0x0104);
  out.U32(276);  // the header's size from here on
  out.U16(static_cast<int>(song.orders.size()));
  out.U16(0);  // restart position
  out.U16(song.channels);
  out.U16(static_cast<int>(song.patterns.size()));
  out.U16(static_cast<int>(song.instruments.size()));
  out.U16(1);  // linear frequency table
  out.U16(song.speed);
  out.U16(song.tempo);
  for (int i = 0; i < 256; ++i) out.U8(i < static_cast<int>(song.orders.size()) ? song.orders[i] : 0);
}

// The effect column as XM numbers it.
std::pair<int, int> EffectOf(const Cell& cell) {
  switch (cell.effect) {
    case Effect::None: return {0, 0};
    case Effect::Speed:
    case Effect::Tempo: return {0x0F, cell.param};
    case Effect::Arpeggio: return {0x00, cell.param};
  }
  return {0, 0};
}

// One cell in XM's packed form: a flag byte, then only the fields present.
void WriteCell(ByteWriter& out, const Cell& cell) {
  const int note = cell.note == NOTE_OFF ? KEY_OFF : cell.note + 1;
  const auto [effect, param] = EffectOf(cell);
  const int flags = 0x80 | (cell.note != NO_NOTE ? 1 : 0) | (cell.instrument ? 2 : 0) |
                    (cell.volume != NO_VOLUME ? 4 : 0) | (effect ? 8 : 0) | (param ? 16 : 0);
  out.U8(flags);
  if (flags & 1) out.U8(note);
  if (flags & 2) out.U8(cell.instrument);
  if (flags & 4) out.U8(0x10 + cell.volume);
  if (flags & 8) out.U8(effect);
  if (flags & 16) out.U8(param);
}

void WritePattern(ByteWriter& out, const Pattern& pattern) {
  ByteWriter data;
  for (const Cell& cell : pattern.cells) WriteCell(data, cell);
  out.U32(9);  // header size
  out.U8(0);   // packing type
  out.U16(pattern.rows);
  out.U16(static_cast<int>(data.Size()));
  for (uint8_t b : data.Bytes()) out.U8(b);
}

void WriteEnvelopePoints(ByteWriter& out, const Envelope& envelope) {
  if (envelope.points.size() > 12) throw std::invalid_argument("XM envelopes hold 12 points");
  for (const auto& [tick, level] : envelope.points) out.U16(tick), out.U16(level);
  out.Zeros(4 * (12 - envelope.points.size()));
}

void WriteInstrument(ByteWriter& out, const Instrument& instrument) {
  const Envelope& envelope = instrument.envelope;
  out.U32(263);
  out.Text(instrument.name, 22);
  out.U8(0);
  out.U16(1);         // one sample
  out.U32(40);        // sample header size
  out.Zeros(96);      // every note plays sample 0
  WriteEnvelopePoints(out, envelope);
  out.Zeros(48);      // no panning envelope
  out.U8(static_cast<int>(envelope.points.size()));
  out.U8(0);
  out.U8(envelope.sustain < 0 ? 0 : envelope.sustain);
  out.U8(0), out.U8(0);  // volume loop
  out.Zeros(3);          // panning sustain and loop
  out.U8(envelope.points.empty() ? 0 : 1 | (envelope.sustain >= 0 ? 2 : 0));
  out.U8(0);             // panning envelope off
  out.Zeros(4);          // no auto-vibrato
  out.U16(envelope.fadeout);
  out.Zeros(22);         // reserved, to the 263 bytes announced

  const auto bytes = [](int samples) { return static_cast<uint32_t>(samples * 2); };
  out.U32(bytes(static_cast<int>(instrument.data.size())));
  out.U32(bytes(instrument.loopStart));
  out.U32(bytes(instrument.loopLength));
  out.U8(instrument.volume);
  out.U8(0);  // finetune
  out.U8((instrument.loopLength ? 1 : 0) | 0x10);  // forward loop, 16-bit
  out.U8(instrument.pan);
  out.U8(instrument.relativeNote & 0xFF);
  out.U8(0);
  out.Text(instrument.name, 22);

  int16_t previous = 0;  // XM stores each sample as the change from the last
  for (int16_t s : instrument.data) {
    out.U16(static_cast<int16_t>(s - previous));
    previous = s;
  }
}

}  // namespace

std::vector<uint8_t> EncodeXm(const Song& song) {
  if (song.channels < 1 || song.channels > 32) throw std::invalid_argument("XM has 1..32 channels");
  ByteWriter out;
  WriteHeader(out, song);
  for (const Pattern& pattern : song.patterns) WritePattern(out, pattern);
  for (const Instrument& instrument : song.instruments) WriteInstrument(out, instrument);
  return out.Bytes();
}
