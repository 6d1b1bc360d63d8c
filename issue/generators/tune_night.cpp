// "Night Shift": a quiet groove for the small hours, F minor at 92 BPM in
// Scream Tracker 3. A soft sine lead, three-voice chord stabs, a sine bass
// and brushed drums.
#include <array>
#include <string_view>

#include "generators/instruments.h"
#include "generators/tune_kit.h"
#include "generators/tunes.h"

namespace {

enum Channel { LEAD, KEYS, BASS = KEYS + 3, KICK, SNARE, HAT, CHANNELS };

struct Kit {
  int lead, keys, bass, kick, snare, hat;
};

using Bars = std::array<std::string_view, 4>;

// Off-beat chord stabs, each two rows long.
void WriteStabs(Pattern& pattern, const Kit& kit, int row, const Chord& chord) {
  for (int at : {2, 7, 10, 13}) WritePad(pattern, KEYS, 3, row + at, kit.keys, chord, 4, 2, NO_VOLUME);
}

void WriteGroove(Pattern& pattern, const Kit& kit, int row, bool kick) {
  WriteHits(pattern, HAT, row, kit.hat, "x.ox.ox.x.ox.oxo");
  WriteHits(pattern, SNARE, row, kit.snare, "....x.......x..o");
  if (kick) WriteHits(pattern, KICK, row, kit.kick, "x......x..x.....");
}

Pattern Compose(const Song& song, const Kit& kit, std::string_view symbols, const Bars& lead, bool intro = false) {
  Pattern pattern = NewPattern(song);
  const std::vector<Chord> chords = Chords(symbols);
  for (int bar = 0; bar < 4; ++bar) {
    const int row = bar * BAR;
    WriteMelody(pattern, LEAD, row, kit.lead, lead[bar]);
    WriteStabs(pattern, kit, row, chords[bar]);
    WriteFigure(pattern, BASS, row, kit.bass, chords[bar], 2, "r.....-r..f...o.");
    WriteGroove(pattern, kit, row, !intro || bar >= 2);
  }
  return pattern;
}

Pattern Ending(const Song& song, const Kit& kit) {
  Pattern pattern = NewPattern(song);
  const std::vector<Chord> chords = Chords("Bbm C Fm");
  WriteMelody(pattern, LEAD, 0, kit.lead,
              "Db6 . . . . . C6 . Bb5 . . . F5 . . . E5 . . . G5 . . . Bb5 . . . . . . . "
              "F5 . . . . . . . . . . . . . . . . . . . . . . . - . . . . . . .");
  for (int bar = 0; bar < 2; ++bar) {
    WriteStabs(pattern, kit, bar * BAR, chords[bar]);
    WriteFigure(pattern, BASS, bar * BAR, kit.bass, chords[bar], 2, "r.....-r..f...o.");
    WriteGroove(pattern, kit, bar * BAR, true);
  }
  WritePad(pattern, KEYS, 3, 32, kit.keys, chords[2], 4, 24, NO_VOLUME);
  WriteFigure(pattern, BASS, 32, kit.bass, chords[2], 2, "r.......................-");
  WriteHits(pattern, KICK, 32, kit.kick, "x");
  ChangeTempo(pattern, 16, 84);
  ChangeTempo(pattern, 32, 76);
  return pattern;
}

}  // namespace

Song NightShift() {
  Song song = NewSong("Night Shift", CHANNELS, 6, 92);
  song.pan = {112, 80, 128, 176, 128, 128, 144, 176};
  Kit kit{};
  kit.lead = AddInstrument(song, Tone("sine lead", Wave::Sine, 2, 40.0f, 0.55f), 40, 128);
  kit.keys = AddInstrument(song, Tone("keys", Wave::Triangle, 2, 10.0f, 0.0f), 18, 128);
  kit.bass = AddInstrument(song, Tone("sine bass", Wave::Sine, 2, 40.0f, 0.6f), 52, 128);
  kit.kick = AddInstrument(song, Kick("kick"), 40, 128);
  kit.snare = AddInstrument(song, Snare("brush"), 16, 128);
  kit.hat = AddInstrument(song, HiHat("hat", 0.07f), 14, 128);

  const Bars a = {". . . . C5 . . . Eb5 . F5 . . . . .", "Ab5 . . . . . F5 . . . . . - . . .",
                  ". . . . Eb5 . . . C5 . Eb5 . Ab5 . . .", "G5 . . . . . . . . . . . - . . ."};
  const Bars a2 = {a[0], a[1], ". . . . Eb5 . Ab5 . C6 . . . Bb5 . Ab5 .", "G5 . . . . . Bb5 . G5 . . . Eb5 . . ."};
  const Bars b = {"Db6 . . . . . C6 . Bb5 . . . F5 . . .", "Ab5 . . . . . . . C6 . . . . . - .",
                  "F5 . . . Ab5 . . . Db6 . . . C6 . Bb5 .", "E5 . . . . . G5 . C6 . . . . . - ."};
  const Bars none = {"", "", "", ""};
  song.patterns = {Compose(song, kit, "Fm Db Ab Eb", none, true), Compose(song, kit, "Fm Db Ab Eb", a),
                   Compose(song, kit, "Fm Db Ab Eb", a2), Compose(song, kit, "Bbm Fm Db C", b), Ending(song, kit)};
  song.orders = {0, 1, 2, 3, 2, 3, 4};
  MarkTempo(song);
  return song;
}
