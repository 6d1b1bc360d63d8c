// "Copper Bars": four channels, nothing more. A ProTracker tune in E minor at
// 125 BPM: drums sharing one channel, a saw bass, a square lead and
// arpeggiated chords.
#include <array>
#include <string_view>

#include "generators/instruments.h"
#include "generators/tune_kit.h"
#include "generators/tunes.h"

namespace {

enum Channel { DRUMS, BASS, LEAD, CHORDS, CHANNELS };

struct Kit {
  int kick, snare, hat, bass, lead, arp;
};

using Bars = std::array<std::string_view, 4>;

// Hats first, so the kick and snare written after them take their rows.
void WriteDrums(Pattern& pattern, const Kit& kit, int row, bool fill) {
  WriteHits(pattern, DRUMS, row, kit.hat, "x.o.x.o.x.o.x.oo");
  WriteHits(pattern, DRUMS, row, kit.kick, fill ? "x.....x...x.x..." : "x.....x...x.....");
  WriteHits(pattern, DRUMS, row, kit.snare, fill ? "....x.......x.xx" : "....x.......x...");
}

Pattern Compose(const Song& song, const Kit& kit, std::string_view symbols, const Bars& lead, bool intro = false) {
  Pattern pattern = NewPattern(song);
  const std::vector<Chord> chords = Chords(symbols);
  for (int bar = 0; bar < 4; ++bar) {
    const int row = bar * BAR;
    WriteMelody(pattern, LEAD, row, kit.lead, lead[bar]);
    WriteDrums(pattern, kit, row, bar == 3);
    if (!intro || bar >= 2) WriteFigure(pattern, BASS, row, kit.bass, chords[bar], 2, "r..r..o.r.f.o.r.");
    if (!intro || bar >= 1) WriteArpRhythm(pattern, CHORDS, row, kit.arp, chords[bar], 4, "x.....x.....x...", NO_VOLUME);
  }
  return pattern;
}

// The last phrase slows down onto a held E minor.
Pattern Ending(const Song& song, const Kit& kit) {
  Pattern pattern = NewPattern(song);
  const std::vector<Chord> chords = Chords("C D Em");
  WriteMelody(pattern, LEAD, 0, kit.lead,
              "E5 . . . G5 . . . C5 . . . E5 . . . D5 . . . F#5 . . . A5 . . . F#5 . . . "
              "E5 . . . . . . . . . . . . . . . . . . . . . . . - . . . . . . .");
  for (int bar = 0; bar < 2; ++bar) {
    WriteDrums(pattern, kit, bar * BAR, bar == 1);
    WriteFigure(pattern, BASS, bar * BAR, kit.bass, chords[bar], 2, "r..r..o.r.f.o.r.");
    WriteArpRhythm(pattern, CHORDS, bar * BAR, kit.arp, chords[bar], 4, "x.....x.....x...", NO_VOLUME);
  }
  WriteHits(pattern, DRUMS, 32, kit.kick, "x");
  WriteFigure(pattern, BASS, 32, kit.bass, chords[2], 2, "r");
  WriteArpeggio(pattern, CHORDS, 32, kit.arp, chords[2], 4, 24, NO_VOLUME);
  WriteMelody(pattern, CHORDS, 56, 0, "-");
  ChangeTempo(pattern, 16, 112);
  ChangeTempo(pattern, 28, 100);
  return pattern;
}

}  // namespace

Song CopperBars() {
  Song song = NewSong("Copper Bars", CHANNELS, 6, 125);
  Kit kit{};
  kit.kick = AddInstrument(song, Kick("kick"), 56, 128);
  kit.snare = AddInstrument(song, Snare("snare"), 44, 128);
  kit.hat = AddInstrument(song, HiHat("hat", 0.06f), 24, 128);
  kit.bass = AddInstrument(song, Tone("saw bass", Wave::Saw, 2, 24.0f, 0.35f), 48, 128);
  kit.lead = AddInstrument(song, Tone("square lead", Wave::Square, 0, 40.0f, 0.5f), 36, 128);
  kit.arp = AddInstrument(song, Tone("chord", Wave::Pulse25, 0, 30.0f, 0.45f), 26, 128);

  const Bars a = {"E5 . . . B4 . E5 . G5 . . . F#5 . E5 .", "E5 . . . . . D5 . C5 . . . . . - .",
                  "B4 . . . D5 . G5 . B5 . . . A5 . G5 .", "A5 . . . . . F#5 . D5 . . . . . - ."};
  const Bars a2 = {a[0], a[1], "B4 . D5 . G5 . B5 . A5 . G5 . F#5 . G5 .", "A5 . . . . . . . B5 . . . . . - ."};
  const Bars b = {"C5 . . . E5 . A5 . . . G5 . E5 . . .", "B4 . . . E5 . G5 . . . F#5 . E5 . . .",
                  "G5 . . . E5 . C5 . E5 . G5 . B5 . . .", "A5 . . . . . F#5 . D#5 . . . B4 . . ."};
  const Bars b2 = {b[0], b[1], b[2], "F#5 . . . . . . . . . . . - . . ."};
  const Bars none = {"", "", "", ""};
  song.patterns = {Compose(song, kit, "Em C G D", none, true), Compose(song, kit, "Em C G D", a),
                   Compose(song, kit, "Em C G D", a2), Compose(song, kit, "Am Em C B7", b),
                   Compose(song, kit, "Am Em C B7", b2), Ending(song, kit)};
  song.orders = {0, 1, 2, 3, 4, 2, 5};
  MarkTempo(song);
  return song;
}
