// Helpers the demo's tunes share: patterns sized to the song, instruments
// added with their mix settings, chord lists and tempo marks.
#pragma once

#include <string_view>
#include <vector>

#include "generators/score.h"
#include "generators/song.h"

constexpr int BAR = 16;  // rows per bar: sixteenth notes

Song NewSong(std::string_view title, int channels, int speed, int tempo);

Pattern NewPattern(const Song& song, int rows = 64);

// Adds the instrument and returns its 1-based number.
int AddInstrument(Song& song, Instrument instrument, int volume, int pan, Envelope envelope = {});

// Chord symbols separated by spaces, one per bar.
std::vector<Chord> Chords(std::string_view symbols);

// Sets the song's speed and tempo again on row 0 of its first pattern, for
// formats that keep them nowhere else; uses channels with free effect and
// volume columns.
void MarkTempo(Song& song);

// A tempo change on a row, on the first channel whose effect column is free.
void ChangeTempo(Pattern& pattern, int row, int tempo);

// Volume envelopes in ticks: a quick attack to a held level, released with a
// fade; and a slow swell for pads.
Envelope Held(int level, int fadeout);
Envelope Swell(int attackTicks, int fadeout);
