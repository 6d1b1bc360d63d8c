// The mouse wheel. SDL reports the wheel as presses of buttons 4 (up) and 5
// (down); an event filter counts them into one signed accumulator, down as -1
// (forward, down the article) and up as +1, so that the panel engine can read
// and reset it once per frame while the main loop's event handling stays as
// it is.
#pragma once

#include <cstdint>

// Installs the filter; call after SDL's video is up.
void MouseWheelInstall();

// The movement since the last reset: negative forward, positive back.
int32_t MouseWheelGet();
void MouseWheelSet(int32_t value);
