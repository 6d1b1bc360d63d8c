// Writing music into patterns from short text: melodies as note names, drum
// parts as hit patterns, and bass, pads and arpeggios from chord symbols.
// Every text has one token or character per row, starting at the given row.
#pragma once

#include <array>
#include <string_view>

#include "generators/song.h"

struct Chord {
  int root;                    // 0..11, C = 0
  std::array<int, 3> tones;    // semitones above the root
};

// "C", "F#m", "Bbm7", "G7", "Dsus"...: a triad, or the seventh's top three notes.
Chord ParseChord(std::string_view symbol);

// Tokens split by spaces: a note such as "C4", "F#5", "Bb3", optionally with a
// volume "E5:40"; "." leaves the row alone; "-" releases the note.
void WriteMelody(Pattern& pattern, int channel, int row, int instrument, std::string_view text,
                 int transpose = 0);

// Characters: 'x' a hit, 'o' a soft one, '.' nothing; spaces are ignored.
void WriteHits(Pattern& pattern, int channel, int row, int instrument, std::string_view text);

// A bass line or broken chord. Characters: 'r' the root, 'f' the fifth, 'o'
// the root an octave up, 't' and 's' the chord's second and third tones, '-'
// release, '.' nothing; spaces are ignored.
void WriteFigure(Pattern& pattern, int channel, int row, int instrument, const Chord& chord,
               int octave, std::string_view text);

// The chord's tones spread over consecutive channels from firstChannel, held
// for rows rows.
void WritePad(Pattern& pattern, int firstChannel, int voices, int row, int instrument,
              const Chord& chord, int octave, int rows, int volume);

// The root with the tracker's arpeggio effect on the other two tones, kept up
// for rows rows.
void WriteArpeggio(Pattern& pattern, int channel, int row, int instrument, const Chord& chord,
                   int octave, int rows, int volume);

// The notes of one channel again on another, delay rows later and at volume:
// an echo the tracker way.
void WriteEcho(Pattern& pattern, int from, int to, int delay, int volume);

// Arpeggiated chords struck on the rows marked 'x' of rhythm, each running on
// until the next.
void WriteArpRhythm(Pattern& pattern, int channel, int row, int instrument, const Chord& chord, int octave,
                    std::string_view rhythm, int volume);
