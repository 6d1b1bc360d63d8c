// The files a start-up reads, written into the reader's folder of places (by
// default the current directory) where the archive's fallback finds them: an
// empty archive, cursor.png, a 640x480 plasma.gif, a fixed font, a font list
// of one face (arial.ttf, a copy of DejaVu Sans), a first article
// "index.art", a module list of one short module and the same module as the
// cover tune "beg.xm", the covers CoverBeg.png and CoverEnd.png (640x480,
// STARTUP_OPENING_COLOUR and STARTUP_CLOSING_COLOUR all over) with a 40x40
// EndScroll.png in STARTUP_SCROLL_COLOUR, and one panel as WritePanels writes
// it: STARTUP_PANEL_COLOUR, with an exit button (command 1) at 0..99 x 0..99.
#pragma once

#include <cstdint>
#include <vector>

#include "resources/reader_places.h"
#include "engine/reader_state.h"

constexpr uint32_t STARTUP_PANEL_COLOUR = 0x204060;
constexpr uint32_t STARTUP_OPENING_COLOUR = 0x806020;
constexpr uint32_t STARTUP_CLOSING_COLOUR = 0x602080;
constexpr uint32_t STARTUP_SCROLL_COLOUR = 0xE0E0A0;

void WriteStartupFiles(const ReaderPlaces& places = {});

// A panel list ("panels.txt") of one 640x480 panel per colour, its text at
// textX, each with a red 100-wide button for command from row buttonY down.
void WritePanels(const ReaderPlaces& places, const std::vector<uint32_t>& colours, int32_t textX,
                 int32_t buttonY, int32_t buttonHeight, int32_t command);

// The reader's start-up after its setup step, with the settings in
// reader.Setup: places given, video, input records and ENGINE_INIT; and the
// shutdown that undoes it, the default places given back.
void StartEngine(Reader& reader, const ReaderPlaces& places = {});
void StopEngine(Reader& reader);

// Marks the opening cover over, for tests that want the panels from the
// first frame; call it right after ENGINE_INIT.
void SkipOpeningCover(Reader& reader);
