#include "platform/key_table.h"

#include <SDL.h>

// The browser's SDL keeps the table under SDL 2's name, which gives the count.
uint8_t* HeldKeys(int& count) { return SDL_GetKeyboardState(&count); }
