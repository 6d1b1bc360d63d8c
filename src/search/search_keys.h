// The keys the search box types with: 64 SDL keys (space, the printable
// punctuation and digits, the letters), each typing the character of its own
// code, and the Shift layer of a US keyboard. '%' is typed as Shift+5 only.
#pragma once

#include <SDL.h>

#include <cstdint>

constexpr int SEARCH_KEY_COUNT = 64;

// A key as its press reached the reader, with Shift as it was at that moment:
// a key pressed and released before a frame looked still types.
struct KeyPress {
  SDLKey key;
  bool shift;
};

// The character key types, Shift applied; 0 for a key outside the table.
char TypedCharacter(KeyPress press);

// The key of table entry i (0..63), in table order.
SDLKey SearchKeyAt(int i);

// The character Shift gives key character c; letters stay lower case.
char ShiftedCharacter(char c);
