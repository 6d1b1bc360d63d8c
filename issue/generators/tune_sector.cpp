// "Sector Zero": fast arpeggios in the old style, A minor at 150 BPM, the
// busiest of the tunes: twelve channels with an echoed square lead, two
// arpeggio voices, a doubled bass, a pad and four drum parts.
#include <array>
#include <string_view>

#include "generators/instruments.h"
#include "generators/tune_kit.h"
#include "generators/tunes.h"

namespace {

enum Channel { LEAD, ECHO, ARP, ARP_HIGH, BASS, BASS_HIGH, PAD, KICK = PAD + 2, SNARE, HAT, OPEN_HAT, CHANNELS };

struct Kit {
  int lead, arp, arpHigh, bass, bassHigh, pad, kick, snare, hat, openHat;
};

using Bars = std::array<std::string_view, 4>;

struct Section {
  std::string_view chords;
  Bars lead;
  bool full = true;  // false: the intro and the break leave parts out
};

void WriteDrums(Pattern& pattern, const Kit& kit, int row, bool fill) {
  WriteHits(pattern, KICK, row, kit.kick, fill ? "x.....x.x.x.x.xx" : "x.....x...x.....");
  WriteHits(pattern, SNARE, row, kit.snare, fill ? "....x..o.ox.xoxx" : "....x.......x..o");
  WriteHits(pattern, HAT, row, kit.hat, "xoxoxoxoxoxoxoxo");
  WriteHits(pattern, OPEN_HAT, row, kit.openHat, "..x...x...x...x.");
}

Pattern Compose(const Song& song, const Kit& kit, const Section& section) {
  Pattern pattern = NewPattern(song);
  const std::vector<Chord> chords = Chords(section.chords);
  for (int bar = 0; bar < 4; ++bar) {
    const int row = bar * BAR;
    const Chord& chord = chords[bar];
    WriteMelody(pattern, LEAD, row, kit.lead, section.lead[bar]);
    WriteArpRhythm(pattern, ARP, row, kit.arp, chord, 4, "x..x..x.x..x..x.", NO_VOLUME);
    WritePad(pattern, PAD, 2, row, kit.pad, chord, 4, BAR, NO_VOLUME);
    if (section.full || bar >= 2) WriteFigure(pattern, BASS, row, kit.bass, chord, 2, "r.r.o.r.r.f.o.r.");
    if (!section.full) {
      if (bar >= 2) WriteHits(pattern, HAT, row, kit.hat, "xoxoxoxoxoxoxoxo");
      continue;
    }
    WriteArpRhythm(pattern, ARP_HIGH, row, kit.arpHigh, chord, 5, "x.......x.x.....", NO_VOLUME);
    WriteFigure(pattern, BASS_HIGH, row, kit.bassHigh, chord, 3, "..o...o...o...o.");
    WriteDrums(pattern, kit, row, bar == 3);
  }
  WriteEcho(pattern, LEAD, ECHO, 3, 20);
  return pattern;
}

// Two bars of groove, a final A minor struck by everything, and its ring.
Pattern Ending(const Song& song, const Kit& kit) {
  Pattern pattern = NewPattern(song);
  const std::vector<Chord> chords = Chords("F G Am");
  WriteMelody(pattern, LEAD, 0, kit.lead,
              "C6 . . . A5 . C6 . F6 . . . E6 . C6 . D6 . . . B5 . D6 . G6 . . . F6 . D6 . "
              "E6 . . . . . . . . . . . . . . . . . . . . . . . - . . . . . . .");
  for (int bar = 0; bar < 2; ++bar) {
    const int row = bar * BAR;
    WriteArpRhythm(pattern, ARP, row, kit.arp, chords[bar], 4, "x..x..x.x..x..x.", NO_VOLUME);
    WriteFigure(pattern, BASS, row, kit.bass, chords[bar], 2, "r.r.o.r.r.f.o.r.");
    WritePad(pattern, PAD, 2, row, kit.pad, chords[bar], 4, BAR, NO_VOLUME);
    WriteDrums(pattern, kit, row, bar == 1);
  }
  WriteArpeggio(pattern, ARP, 32, kit.arp, chords[2], 4, 24, NO_VOLUME);
  WriteArpeggio(pattern, ARP_HIGH, 32, kit.arpHigh, chords[2], 5, 24, NO_VOLUME);
  WriteFigure(pattern, BASS, 32, kit.bass, chords[2], 2, "r.......................-");
  WriteFigure(pattern, BASS_HIGH, 32, kit.bassHigh, chords[2], 3, "o");
  WritePad(pattern, PAD, 2, 32, kit.pad, chords[2], 4, 24, NO_VOLUME);
  WriteHits(pattern, KICK, 32, kit.kick, "x");
  WriteHits(pattern, OPEN_HAT, 32, kit.openHat, "x");
  WriteMelody(pattern, ARP, 56, 0, "-");
  WriteMelody(pattern, ARP_HIGH, 56, 0, "-");
  WriteEcho(pattern, LEAD, ECHO, 3, 20);
  return pattern;
}

}  // namespace

Song SectorZero() {
  Song song = NewSong("Sector Zero", CHANNELS, 6, 150);
  Kit kit{};
  kit.lead = AddInstrument(song, Tone("square lead", Wave::Square, 1, 8.0f, 0.6f), 30, 100, Held(50, 800));
  kit.arp = AddInstrument(song, Tone("arp", Wave::Pulse25, 1, 12.0f, 0.7f), 20, 170, Held(48, 1200));
  kit.arpHigh = AddInstrument(song, Tone("arp high", Wave::Pulse12, 0, 16.0f, 0.0f), 14, 70);
  kit.bass = AddInstrument(song, Tone("saw bass", Wave::Saw, 3, 20.0f, 0.5f), 36, 128, Held(56, 1500));
  kit.bassHigh = AddInstrument(song, Tone("bass blip", Wave::Pulse25, 2, 10.0f, 0.0f), 16, 150);
  kit.pad = AddInstrument(song, Pad("string pad", 1), 12, 128, Swell(20, 300));
  kit.kick = AddInstrument(song, Kick("kick"), 44, 128);
  kit.snare = AddInstrument(song, Snare("snare"), 30, 120);
  kit.hat = AddInstrument(song, HiHat("closed hat", 0.05f), 14, 180);
  kit.openHat = AddInstrument(song, HiHat("open hat", 0.35f), 10, 80);

  const Bars a = {"A5 . . . E5 . A5 . C6 . . . B5 . A5 .", "G5 . . . F5 . . . A5 . . . . . - .",
                  "E5 . . . G5 . C6 . E6 . . . D6 . C6 .", "D6 . . . . . B5 . G5 . . . . . - ."};
  const Bars a2 = {a[0], a[1], "E5 . G5 . C6 . E6 . G6 . . . E6 . D6 .", "D6 . . . . . . . B5 . C6 . D6 . . ."};
  const Bars b = {"C6 . . . A5 . . . F5 . A5 . C6 . . .", "D6 . . . B5 . . . G5 . B5 . D6 . . .",
                  "E6 . . . D6 . B5 . G5 . . . B5 . . .", "A5 . . . . . . . . . . . - . . ."};
  const Bars b2 = {b[0], b[1], b[2], "A5 . . . . . . . E6 . D6 . C6 . B5 ."};
  const Bars high = {"A6 . . . . . . . . . . . - . . .", "E6 . . . . . . . . . . . - . . .",
                     "F6 . . . . . . . E6 . . . D6 . . .", "G#6 . . . . . . . . . . . B6 . . ."};
  const Bars none = {"", "", "", ""};
  song.patterns = {Compose(song, kit, {"Am F C G", none, false}), Compose(song, kit, {"Am F C G", a}),
                   Compose(song, kit, {"Am F C G", a2}),          Compose(song, kit, {"F G Em Am", b}),
                   Compose(song, kit, {"F G Em Am", b2}),         Compose(song, kit, {"Dm Am Dm E", high, false}),
                   Ending(song, kit)};
  song.orders = {0, 1, 2, 3, 4, 5, 1, 2, 4, 6};
  MarkTempo(song);
  return song;
}
