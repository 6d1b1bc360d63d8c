// The files a start-up reads, in the reader's folder (by default the current
// directory): an empty archive, cursor.png, a plasma, a fixed font, one face
// (arial.ttf, DejaVu Sans), "index.art", one short module, also as the cover
// tune "beg.xm", the covers (STARTUP_OPENING_COLOUR and STARTUP_CLOSING_COLOUR
// all over), a 40x40 EndScroll.png in STARTUP_SCROLL_COLOUR, and one panel in
// STARTUP_PANEL_COLOUR with an exit button (command 1) at 0..99 x 0..99.
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

// "panels.txt" of one panel per colour, text at textX, a red button from row buttonY.
void WritePanels(const ReaderPlaces& places, const std::vector<uint32_t>& colours, int32_t textX,
                 int32_t buttonY, int32_t buttonHeight, int32_t command);

// The reader's start-up after its setup step, with reader.Setup, and the
// shutdown that undoes it and gives the default places back.
void StartEngine(Reader& reader, const ReaderPlaces& places = {});
void StopEngine(Reader& reader);

// Marks the opening cover over, for the panels from the first frame on.
void SkipOpeningCover(Reader& reader);
