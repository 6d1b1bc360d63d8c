#include "platform/key_table.h"

#include <SDL.h>

uint8_t* HeldKeys(int& count) { return SDL_GetKeyState(&count); }
