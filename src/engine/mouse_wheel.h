// The mouse wheel. SDL reports the wheel as presses of buttons 4 (up) and 5
// (down); the main loop's event handling counts them into one signed
// accumulator, down as -1 (forward, down the article) and up as +1, so that
// the panel engine can read and reset it once per frame.
#pragma once

#include <SDL.h>

#include <cstdint>

// Counts a wheel press; any other event leaves the count as it is.
void MouseWheelCount(const SDL_Event& event);

// The movement since the last reset: negative forward, positive back.
int32_t MouseWheelGet();
void MouseWheelSet(int32_t value);
