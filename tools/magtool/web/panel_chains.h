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

// The chains whose top lies between rows from and to, placed within that
// strip and cut at its bottom as the screen's edge cuts them, for page.
std::string ChainsHtml(const Panel& panel, const std::string& page, int number, int32_t from,
                       int32_t to);
