#include "generators/tune_kit.h"

#include <stdexcept>
#include <string>

Song NewSong(std::string_view title, int channels, int speed, int tempo) {
  Song song;
  song.title = title;
  song.channels = channels;
  song.speed = speed;
  song.tempo = tempo;
  return song;
}

Pattern NewPattern(const Song& song, int rows) {
  return Pattern{.rows = rows, .channels = song.channels,
                 .cells = std::vector<Cell>(static_cast<size_t>(rows * song.channels))};
}

int AddInstrument(Song& song, Instrument instrument, int volume, int pan, Envelope envelope) {
  instrument.volume = volume;
  instrument.pan = pan;
  instrument.envelope = std::move(envelope);
  song.instruments.push_back(std::move(instrument));
  return static_cast<int>(song.instruments.size());
}

std::vector<Chord> Chords(std::string_view symbols) {
  std::vector<Chord> chords;
  while (!symbols.empty()) {
    const size_t space = symbols.find(' ');
    const std::string_view symbol = symbols.substr(0, space);
    if (!symbol.empty()) chords.push_back(ParseChord(symbol));
    symbols.remove_prefix(space == std::string_view::npos ? symbols.size() : space + 1);
  }
  return chords;
}

namespace {

Cell& FreeCell(Pattern& pattern, int row) {
  for (int ch = pattern.channels - 1; ch >= 0; --ch) {
    Cell& cell = pattern.at(row, ch);
    if (cell.effect == Effect::None && cell.volume == NO_VOLUME && cell.note != NOTE_OFF) return cell;
  }
  throw std::invalid_argument("no free effect column on row " + std::to_string(row));
}

void Mark(Cell& cell, Effect effect, int param) {
  cell.effect = effect;
  cell.param = static_cast<uint8_t>(param);
}

}  // namespace

void MarkTempo(Song& song) {
  Pattern& first = song.patterns.at(song.orders.at(0));
  Mark(FreeCell(first, 0), Effect::Speed, song.speed);
  Mark(FreeCell(first, 0), Effect::Tempo, song.tempo);
}

void ChangeTempo(Pattern& pattern, int row, int tempo) { Mark(FreeCell(pattern, row), Effect::Tempo, tempo); }

Envelope Held(int level, int fadeout) {
  return {.points = {{0, 64}, {6, level}, {40, level * 3 / 4}}, .sustain = 2, .fadeout = fadeout};
}

Envelope Swell(int attackTicks, int fadeout) {
  return {.points = {{0, 0}, {attackTicks, 64}, {attackTicks * 4, 48}}, .sustain = 2, .fadeout = fadeout};
}
