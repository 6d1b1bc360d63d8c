#include <stdexcept>

#include "generators/byte_writer.h"
#include "generators/module_writers.h"

namespace {

constexpr int SAMPLE_HEADER_SIZE = 0x50;
constexpr int NOTE_CUT = 254;
constexpr uint32_t BASE_RATE = 8363;

int PaddedOrders(const Song& song) { return static_cast<int>(song.orders.size() + 1) & ~1; }

void WriteHeader(ByteWriter& out, const Song& song) {
  out.Text(song.title, 28);
  out.U8(0x1A);
  out.U8(16);  // a module
  out.U16(0);
  out.U16(PaddedOrders(song));
  out.U16(static_cast<int>(song.instruments.size()));
  out.U16(static_cast<int>(song.patterns.size()));
  out.U16(0);       // flags
  out.U16(0x1320);  // as Scream Tracker 3.20 writes
  out.U16(2);       // unsigned samples
  out.Text("SCRM", 4);
  out.U8(64);  // global volume
  out.U8(song.speed);
  out.U8(song.tempo);
  out.U8(0x80 | 0x30);  // stereo, master volume 48
  out.U8(16);           // click removal on 16 channels
  out.U8(0xFC);         // the panning table follows
  out.Zeros(10);
  for (int ch = 0; ch < 32; ++ch) out.U8(ch < song.channels ? (ch % 2 ? 8 + ch / 2 : ch / 2) : 0xFF);
  for (int order : song.orders) out.U8(order);
  for (int i = static_cast<int>(song.orders.size()); i < PaddedOrders(song); ++i) out.U8(0xFF);
}

std::pair<int, int> EffectOf(const Cell& cell) {
  switch (cell.effect) {
    case Effect::None: return {0, 0};
    case Effect::Speed: return {'A' - '@', cell.param};
    case Effect::Tempo: return {'T' - '@', cell.param};
    case Effect::Arpeggio: return {'J' - '@', cell.param};
  }
  return {0, 0};
}

void WritePattern(ByteWriter& out, const Pattern& pattern) {
  if (pattern.rows != 64) throw std::invalid_argument("S3M patterns have 64 rows");
  ByteWriter data;
  for (int row = 0; row < pattern.rows; ++row) {
    for (int ch = 0; ch < pattern.channels; ++ch) {
      const Cell& cell = pattern.at(row, ch);
      const auto [effect, param] = EffectOf(cell);
      const int what = (cell.note != NO_NOTE ? 0x20 : 0) | (cell.volume != NO_VOLUME ? 0x40 : 0) |
                       (effect ? 0x80 : 0);
      if (!what) continue;
      data.U8(what | ch);
      if (what & 0x20) {
        data.U8(cell.note == NOTE_OFF ? NOTE_CUT : (cell.note / 12) << 4 | cell.note % 12);
        data.U8(cell.note >= 0 ? cell.instrument : 0);
      }
      if (what & 0x40) data.U8(cell.volume);
      if (what & 0x80) data.U8(effect), data.U8(param);
    }
    data.U8(0);
  }
  out.U16(static_cast<int>(data.Size()) + 2);
  for (uint8_t b : data.Bytes()) out.U8(b);
}

// The sample's header; its data lies at dataPointer * 16.
void WriteSampleHeader(ByteWriter& out, const Instrument& instrument, int dataPointer) {
  // Players read the rate as 16 bits.
  if (instrument.relativeNote % 12 || instrument.relativeNote < 0 || instrument.relativeNote > 24) {
    throw std::invalid_argument("S3M samples here are shifted up by whole octaves, to under 64 kHz");
  }
  const uint32_t rate = BASE_RATE << (instrument.relativeNote / 12);
  out.U8(1);
  out.Text(instrument.name, 12);
  out.U8(dataPointer >> 16);
  out.U16(dataPointer & 0xFFFF);
  out.U32(static_cast<uint32_t>(instrument.data.size()));
  out.U32(instrument.loopStart);
  out.U32(instrument.loopStart + instrument.loopLength);
  out.U8(instrument.volume);
  out.U8(0);
  out.U8(0);
  out.U8((instrument.loopLength ? 1 : 0) | 4);  // 16-bit
  // The relative note becomes the rate at which C-4 plays.
  out.U32(rate);
  out.Zeros(12);
  out.Text(instrument.name, 28);
  out.Text("SCRS", 4);
}

}  // namespace

std::vector<uint8_t> EncodeS3m(const Song& song) {
  if (song.channels > 16) throw std::invalid_argument("S3M here holds up to 16 channels");
  ByteWriter out;
  WriteHeader(out, song);
  // Parapointers count 16-byte paragraphs; they are filled in once known.
  const size_t pointers = out.Size();
  out.Zeros(2 * (song.instruments.size() + song.patterns.size()));
  for (int ch = 0; ch < 32; ++ch) out.U8(0x20 | (ch < song.channels ? song.pan.at(ch) >> 4 : 8));
  std::vector<size_t> headers;
  for (size_t i = 0; i < song.instruments.size(); ++i) {
    out.PadTo(16);
    headers.push_back(out.Size());
    out.PatchU16(pointers + 2 * i, static_cast<int>(out.Size() / 16));
    out.Zeros(SAMPLE_HEADER_SIZE);
  }
  for (size_t i = 0; i < song.patterns.size(); ++i) {
    out.PadTo(16);
    out.PatchU16(pointers + 2 * (song.instruments.size() + i), static_cast<int>(out.Size() / 16));
    WritePattern(out, song.patterns[i]);
  }
  for (size_t i = 0; i < song.instruments.size(); ++i) {
    out.PadTo(16);
    ByteWriter header;
    WriteSampleHeader(header, song.instruments[i], static_cast<int>(out.Size() / 16));
    out.Patch(headers[i], header);
    for (int16_t s : song.instruments[i].data) out.U16(s ^ 0x8000);
  }
  return out.Bytes();
}
