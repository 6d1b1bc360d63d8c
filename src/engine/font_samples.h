// Sample lines in every font of the issue, drawn into the panel's middle area
// until articles take its place: the fixed font, the BMF headline font and
// each TrueType face, antialiased, bold, italic and underlined.
#pragma once

#include "resources/picture.h"
#include "widgets/panel.h"

void DrawFontSamples(const Panel& panel, Picture& screen);

// Frees the samples' font tables; before the font manager goes.
void FreeFontSamples();
