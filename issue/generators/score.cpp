#include "generators/score.h"

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

#include "base/integer_reader.h"

namespace {

int Number(std::string_view text, int min, int max) {
  const std::optional<int64_t> number = ParseDecimal(text, min, max);
  if (!number) {
    throw std::invalid_argument("not a number from " + std::to_string(min) + " to " +
                                std::to_string(max) + ": " + std::string(text));
  }
  return static_cast<int>(*number);
}

int PitchClass(char letter) {
  static constexpr std::string_view LETTERS = "C.D.EF.G.A.B";
  const size_t at = LETTERS.find(letter);
  if (at == std::string_view::npos || letter == '.') {
    throw std::invalid_argument(std::string("not a note letter: ") + letter);
  }
  return static_cast<int>(at);
}

// The letter and any accidental at the front of text; advances past them.
int ParsePitch(std::string_view& text) {
  int pitch = PitchClass(text.at(0));
  text.remove_prefix(1);
  if (!text.empty() && (text[0] == '#' || text[0] == 'b')) {
    pitch += text[0] == '#' ? 1 : -1;
    text.remove_prefix(1);
  }
  return pitch;
}

void WriteNote(Pattern& pattern, int channel, int row, int instrument, int note, int volume) {
  if (row >= pattern.rows) throw std::out_of_range("music runs past the pattern's end");
  Cell& cell = pattern.at(row, channel);
  cell.note = note;
  cell.instrument = note >= 0 ? instrument : 0;
  cell.volume = volume;
}

// Each non-space character with its row.
template <typename Visit>
void ForEachRow(std::string_view text, int row, Visit visit) {
  for (char c : text) {
    if (c != ' ') visit(c, row++);
  }
}

}  // namespace

Chord ParseChord(std::string_view symbol) {
  Chord chord{ParsePitch(symbol), {0, 4, 7}};
  chord.root = (chord.root + 12) % 12;
  if (symbol == "m") {
    chord.tones = {0, 3, 7};
  } else if (symbol == "m7") {
    chord.tones = {3, 7, 10};
  } else if (symbol == "7") {
    chord.tones = {4, 7, 10};
  } else if (symbol == "maj7") {
    chord.tones = {4, 7, 11};
  } else if (symbol == "sus") {
    chord.tones = {0, 5, 7};
  } else if (!symbol.empty()) {
    throw std::invalid_argument("unknown chord: " + std::string(symbol));
  }
  return chord;
}

void WriteMelody(Pattern& pattern, int channel, int row, int instrument, std::string_view text,
                 int transpose) {
  while (!text.empty()) {
    const size_t space = text.find(' ');
    std::string_view token = text.substr(0, space);
    text.remove_prefix(space == std::string_view::npos ? text.size() : space + 1);
    if (token.empty()) continue;
    if (token == "-") {
      WriteNote(pattern, channel, row, 0, NOTE_OFF, NO_VOLUME);
    } else if (token != ".") {
      const int pitch = ParsePitch(token);
      const int octave = Number(token.substr(0, 1), 0, 9);
      const size_t colon = token.find(':');
      const int volume = colon == std::string_view::npos ? NO_VOLUME : Number(token.substr(colon + 1), 0, 64);
      WriteNote(pattern, channel, row, instrument, octave * 12 + pitch + transpose, volume);
    }
    ++row;
  }
}

void WriteHits(Pattern& pattern, int channel, int row, int instrument, std::string_view text) {
  constexpr int C4 = 48, SOFT = 24;
  ForEachRow(text, row, [&](char c, int at) {
    if (c == 'x' || c == 'o') WriteNote(pattern, channel, at, instrument, C4, c == 'o' ? SOFT : NO_VOLUME);
  });
}

void WriteFigure(Pattern& pattern, int channel, int row, int instrument, const Chord& chord,
               int octave, std::string_view text) {
  const int root = octave * 12 + chord.root;
  ForEachRow(text, row, [&](char c, int at) {
    switch (c) {
      case 'r': WriteNote(pattern, channel, at, instrument, root, NO_VOLUME); break;
      case 'f': WriteNote(pattern, channel, at, instrument, root + 7, NO_VOLUME); break;
      case 'o': WriteNote(pattern, channel, at, instrument, root + 12, NO_VOLUME); break;
      case 't': WriteNote(pattern, channel, at, instrument, root + chord.tones[1], NO_VOLUME); break;
      case 's': WriteNote(pattern, channel, at, instrument, root + chord.tones[2], NO_VOLUME); break;
      case '-': WriteNote(pattern, channel, at, 0, NOTE_OFF, NO_VOLUME); break;
      default: break;
    }
  });
}

void WritePad(Pattern& pattern, int firstChannel, int voices, int row, int instrument,
              const Chord& chord, int octave, int rows, int volume) {
  for (int v = 0; v < voices; ++v) {
    const int note = octave * 12 + chord.root + chord.tones[v % 3] + 12 * (v / 3);
    WriteNote(pattern, firstChannel + v, row, instrument, note, volume);
    if (row + rows < pattern.rows) WriteNote(pattern, firstChannel + v, row + rows, 0, NOTE_OFF, NO_VOLUME);
  }
}

void WriteArpeggio(Pattern& pattern, int channel, int row, int instrument, const Chord& chord,
                   int octave, int rows, int volume) {
  const int base = chord.tones[0];
  WriteNote(pattern, channel, row, instrument, octave * 12 + chord.root + base, volume);
  const auto param = static_cast<uint8_t>((chord.tones[1] - base) << 4 | (chord.tones[2] - base));
  for (int r = row; r < row + rows && r < pattern.rows; ++r) {
    pattern.at(r, channel).effect = Effect::Arpeggio;
    pattern.at(r, channel).param = param;
  }
}

void WriteEcho(Pattern& pattern, int from, int to, int delay, int volume) {
  for (int row = 0; row + delay < pattern.rows; ++row) {
    const Cell& source = pattern.at(row, from);
    if (source.note == NO_NOTE) continue;
    WriteNote(pattern, to, row + delay, source.instrument, source.note, source.note >= 0 ? volume : NO_VOLUME);
  }
}

void WriteArpRhythm(Pattern& pattern, int channel, int row, int instrument, const Chord& chord, int octave,
                    std::string_view rhythm, int volume) {
  for (size_t i = 0; i < rhythm.size(); ++i) {
    if (rhythm[i] != 'x') continue;
    const size_t next = rhythm.find('x', i + 1);
    const int rows = static_cast<int>((next == std::string_view::npos ? rhythm.size() : next) - i);
    WriteArpeggio(pattern, channel, row + static_cast<int>(i), instrument, chord, octave, rows, volume);
  }
}
