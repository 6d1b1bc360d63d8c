// The table of keys held down, indexed by SDL key code, as SDL keeps it; the
// search clears keys in it once it has taken them.
#pragma once

#include <cstdint>

// The table and, in count, how many key codes it spans.
uint8_t* HeldKeys(int& count);
