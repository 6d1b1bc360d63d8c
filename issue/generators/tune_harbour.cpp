// "Harbour Lights": slow and warm, D major at 84 BPM. A triangle lead over a
// plucked string, a round bass, a two-voice pad and soft drums.
#include <array>
#include <string_view>

#include "generators/instruments.h"
#include "generators/tune_kit.h"
#include "generators/tunes.h"

namespace {

enum Channel { LEAD, PLUCK, BASS, PAD, KICK = PAD + 2, SNARE, HAT, CHANNELS };

struct Kit {
  int lead, pluck, bass, pad, kick, snare, hat;
};

using Bars = std::array<std::string_view, 4>;

struct Section {
  std::string_view chords;
  Bars melody;
  int firstBassBar = 0;  // the intro brings bass and drums in late
  int firstDrumBar = 0;
};

Pattern Compose(const Song& song, const Kit& kit, const Section& section) {
  Pattern pattern = NewPattern(song);
  const std::vector<Chord> chords = Chords(section.chords);
  for (int bar = 0; bar < 4; ++bar) {
    const int row = bar * BAR;
    const Chord& chord = chords[bar];
    WriteMelody(pattern, LEAD, row, kit.lead, section.melody[bar]);
    WritePad(pattern, PAD, 2, row, kit.pad, chord, 4, BAR, NO_VOLUME);
    WriteFigure(pattern, PLUCK, row, kit.pluck, chord, 4, bar % 2 ? "r.f.o.t.s.o.f.t." : "r.f.o.s.t.f.r.s.");
    if (bar >= section.firstBassBar) WriteFigure(pattern, BASS, row, kit.bass, chord, 2, "r......r..f.....");
    if (bar >= section.firstDrumBar) {
      WriteHits(pattern, KICK, row, kit.kick, bar == 3 ? "x.......x.x...x." : "x.......x..x....");
      WriteHits(pattern, SNARE, row, kit.snare, "....x.......x...");
      WriteHits(pattern, HAT, row, kit.hat, "x.o.x.o.x.o.x.oo");
    }
  }
  return pattern;
}

// The last phrase slows down and leaves the D chord ringing.
Pattern Ending(const Song& song, const Kit& kit) {
  Pattern pattern = NewPattern(song);
  const std::vector<Chord> chords = Chords("G A D");
  WriteMelody(pattern, LEAD, 0, kit.lead,
              "B5 . . . A5 . . . G5 . . . D5 . . . E5 . . . . . . . C#5 . . . E5 . . . "
              "D5 . . . . . . . . . . . . . . . . . . . . . . . - . . . . . . .");
  for (int bar = 0; bar < 3; ++bar) {
    WriteFigure(pattern, PLUCK, bar * BAR, kit.pluck, chords[bar], 4, bar < 2 ? "r.f.o.s.t.f.r.s." : "r.f.o.t.s");
    WriteFigure(pattern, BASS, bar * BAR, kit.bass, chords[bar], 2, bar < 2 ? "r......r..f....." : "r");
    WriteHits(pattern, KICK, bar * BAR, kit.kick, "x.......x.......");
    WritePad(pattern, PAD, 2, bar * BAR, kit.pad, chords[bar], 4, bar < 2 ? BAR : 2 * BAR, NO_VOLUME);
  }
  WriteHits(pattern, SNARE, 0, kit.snare, "....x.......x.......x.......x...");
  WriteMelody(pattern, BASS, 56, 0, "-");
  ChangeTempo(pattern, 16, 76);
  ChangeTempo(pattern, 32, 66);
  return pattern;
}

}  // namespace

Song HarbourLights() {
  Song song = NewSong("Harbour Lights", CHANNELS, 6, 84);
  Kit kit{};
  kit.lead = AddInstrument(song, Tone("flute", Wave::Triangle, 2, 6.0f, 0.7f), 40, 110, Held(52, 500));
  kit.pluck = AddInstrument(song, Pluck("harbour string", 2, 1.5f), 30, 170);
  kit.bass = AddInstrument(song, Tone("round bass", Wave::Triangle, 3, 30.0f, 0.6f), 48, 128, Held(56, 700));
  kit.pad = AddInstrument(song, Pad("warm pad", 1), 16, 100, Swell(30, 250));
  kit.kick = AddInstrument(song, Kick("kick"), 40, 128);
  kit.snare = AddInstrument(song, Snare("soft snare"), 20, 140);
  kit.hat = AddInstrument(song, HiHat("hat", 0.08f), 16, 160);

  const Bars a = {"F#5 . . . . . E5 . D5 . . . A4 . . .", "B4 . . . . . C#5 . D5 . . . F#5 . . .",
                  "G5 . . . F#5 . . . E5 . . . D5 . . .", "E5 . . . . . . . . . . . - . . ."};
  const Bars a2 = {a[0], a[1], "G5 . . . A5 . . . B5 . . . A5 . G5 .", "A5 . . . . . . . G5 . F#5 . E5 . . ."};
  const Bars b = {"D5 . . . G5 . . . B5 . . . A5 . G5 .", "A5 . . . . . . . E5 . . . C#5 . . .",
                  "C#6 . . . A5 . . . F#5 . . . A5 . . .", "B5 . . . . . . . . . . . - . . ."};
  const Bars silent = {"", "", "", ""};
  song.patterns = {Compose(song, kit, {"D Bm G A", silent, 2, 3}), Compose(song, kit, {"D Bm G A", a}),
                   Compose(song, kit, {"D Bm G A", a2}), Compose(song, kit, {"G A F#m Bm", b}),
                   Ending(song, kit)};
  song.orders = {0, 1, 2, 3, 2, 4};
  MarkTempo(song);
  return song;
}
