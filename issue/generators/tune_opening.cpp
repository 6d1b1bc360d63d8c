// "Opening": the tune that greets the reader, C major at 110 BPM. A pulse
// lead over a swelling pad and a triangle bass, the drums coming in after the
// first bars, and a slowing close on C.
#include <array>
#include <string_view>

#include "generators/instruments.h"
#include "generators/tune_kit.h"
#include "generators/tunes.h"

namespace {

enum Channel { LEAD, BASS, PAD, KICK = PAD + 2, SNARE, CHANNELS };

struct Kit {
  int lead, bass, pad, kick, snare, hat;
};

using Bars = std::array<std::string_view, 4>;

// Snare and hats share a channel; the snare takes its rows from the hats.
void WriteDrums(Pattern& pattern, const Kit& kit, int row, bool fill) {
  WriteHits(pattern, KICK, row, kit.kick, fill ? "x.....x.x.x.x..." : "x.......x.x.....");
  WriteHits(pattern, SNARE, row, kit.hat, "x.o.x.o.x.o.x.o.");
  WriteHits(pattern, SNARE, row, kit.snare, fill ? "....x.......xoxx" : "....x.......x...");
}

Pattern Compose(const Song& song, const Kit& kit, std::string_view symbols, const Bars& lead, bool intro = false) {
  Pattern pattern = NewPattern(song);
  const std::vector<Chord> chords = Chords(symbols);
  for (int bar = 0; bar < 4; ++bar) {
    const int row = bar * BAR;
    WriteMelody(pattern, LEAD, row, kit.lead, lead[bar]);
    WritePad(pattern, PAD, 2, row, kit.pad, chords[bar], 4, BAR, NO_VOLUME);
    if (!intro || bar >= 1) WriteFigure(pattern, BASS, row, kit.bass, chords[bar], 2, "r.....r.r...f.o.");
    if (!intro || bar == 3) WriteDrums(pattern, kit, row, bar == 3);
  }
  return pattern;
}

Pattern Ending(const Song& song, const Kit& kit) {
  Pattern pattern = NewPattern(song);
  const std::vector<Chord> chords = Chords("F G C");
  WriteMelody(pattern, LEAD, 0, kit.lead,
              "A5 . . . . . C6 . . . A5 . F5 . . . G5 . . . B5 . . . D6 . . . F6 . . . "
              "E6 . . . . . . . . . . . . . . . . . . . . . . . - . . . . . . .");
  for (int bar = 0; bar < 2; ++bar) {
    WritePad(pattern, PAD, 2, bar * BAR, kit.pad, chords[bar], 4, BAR, NO_VOLUME);
    WriteFigure(pattern, BASS, bar * BAR, kit.bass, chords[bar], 2, "r.....r.r...f.o.");
    WriteDrums(pattern, kit, bar * BAR, bar == 1);
  }
  WritePad(pattern, PAD, 2, 32, kit.pad, chords[2], 4, 24, NO_VOLUME);
  WriteFigure(pattern, BASS, 32, kit.bass, chords[2], 2, "r.......................-");
  WriteHits(pattern, KICK, 32, kit.kick, "x");
  ChangeTempo(pattern, 16, 96);
  ChangeTempo(pattern, 32, 84);
  return pattern;
}

}  // namespace

Song Opening() {
  Song song = NewSong("Opening", CHANNELS, 6, 110);
  Kit kit{};
  kit.lead = AddInstrument(song, Tone("pulse lead", Wave::Pulse25, 1, 10.0f, 0.6f), 32, 128, Held(50, 600));
  kit.bass = AddInstrument(song, Tone("bass", Wave::Triangle, 3, 30.0f, 0.6f), 52, 128, Held(56, 900));
  kit.pad = AddInstrument(song, Pad("pad", 1), 16, 128, Swell(40, 200));
  kit.kick = AddInstrument(song, Kick("kick"), 44, 128);
  kit.snare = AddInstrument(song, Snare("snare"), 28, 140);
  kit.hat = AddInstrument(song, HiHat("hat", 0.06f), 16, 150);

  const Bars a = {"G4 . . . C5 . . . E5 . . . G5 . . .", "A5 . . . . . G5 . E5 . . . C5 . . .",
                  "F5 . . . A5 . . . C6 . . . A5 . . .", "G5 . . . . . . . . . . . - . . ."};
  const Bars a2 = {a[0], a[1], "F5 . A5 . C6 . . . F6 . . . E6 . D6 .", "D6 . . . . . . . B5 . . . G5 . . ."};
  const Bars b = {"A5 . . . . . G5 . F5 . . . C5 . . .", "D5 . . . G5 . . . B5 . . . D6 . . .",
                  "E6 . . . . . D6 . B5 . . . G5 . . .", "A5 . . . . . . . . . . . - . . ."};
  const Bars none = {"", "", "", ""};
  song.patterns = {Compose(song, kit, "C Am F G", none, true), Compose(song, kit, "C Am F G", a),
                   Compose(song, kit, "F G Em Am", b), Compose(song, kit, "C Am F G", a2), Ending(song, kit)};
  song.orders = {0, 1, 2, 3, 4};
  MarkTempo(song);
  return song;
}
