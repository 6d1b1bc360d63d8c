// A panel's AniChains (the demo's emblem, lamp and equalizer) on the pages'
// strips: each chain's frames side by side in one picture, stepped through
// by a CSS animation at the reader's rate, its first frame held for readers
// who ask for less motion.
#pragma once

#include <cstdint>
#include <string>

#include "magtool/web/site.h"
#include "widgets/panel.h"

// Writes panel number's chains as "frame/N-chainK.png", one sheet each.
void WriteChainSheets(Site& site, const Panel& panel, int number);

// A box's place within a strip as shares of the strip's sides, so that the
// strip scales as a whole on a screen narrower than the panel and is to the
// pixel on a wide one.
std::string StripPlace(int32_t x, int32_t y, int32_t width, int32_t height, const Picture& strip);

// The chains whose top lies within the strip that starts at row from, placed
// within it and cut at its bottom as the screen's edge cuts them, for page.
std::string ChainsHtml(const Panel& panel, const Picture& strip, const std::string& page,
                       int number, int32_t from);
