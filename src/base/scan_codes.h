// Keyboard scan codes: the PC set-1 code that the key definitions file names
// a key by, for each SDL key symbol.
#pragma once

#include <SDL.h>

#include <cstdint>

// The set-1 scan code of an SDL key symbol (extended keys without their E0
// prefix), or -1 for a key that has none.
int32_t ScanCodeOf(SDLKey key);
