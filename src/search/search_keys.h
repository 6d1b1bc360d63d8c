// The keys the search box types with: 64 SDL keys (space, the printable
// punctuation and digits, the letters), each typing the character of its own
// code, and the Shift layer of a US keyboard. '%' is typed as Shift+5 only.
#pragma once

#include <SDL.h>

#include <cstdint>

constexpr int SEARCH_KEY_COUNT = 64;

// The key of table entry i (0..63), in table order.
SDLKey SearchKeyAt(int i);

// The character Shift gives key character c; letters stay lower case.
char ShiftedCharacter(char c);

// The first table key down in keys (count entries), cleared so that a press
// types once; 0 when none is down.
char TakeTypedKey(Uint8* keys, int count);
