// The files a start-up reads, written into the current directory where the
// archive's fallback finds them: an empty data.rs, cursor.png, a 640x480
// plasma.gif, a fixed font, a font list of one face (arial.ttf, a copy of
// DejaVu Sans), a first article "index.art", a module list of one short
// module, and one panel ("panels.txt" naming "panel.txt") whose picture is
// STARTUP_PANEL_COLOUR all over, with an exit button (command 1) on the mask
// area 0..99 x 0..99.
#pragma once

#include <cstdint>

constexpr uint32_t STARTUP_PANEL_COLOUR = 0x204060;

void WriteStartupFiles();
