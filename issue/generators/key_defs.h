// The key definitions of generated issues, "configs/keydefs.cfg": one PC
// scan code (set 1) per command slot, as 24 little-endian 32-bit integers.
// Escape quits, F1 helps, F2 searches, F3 changes the panel, the arrows and
// page keys scroll, Backspace goes back, F5 to F9 steer the music.
#pragma once

#include <string>

// false when the file cannot be written.
bool WriteKeyDefs(const std::string& dataDir);
