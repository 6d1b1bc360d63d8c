// What the reader loads at start-up besides panels, articles, search and
// music: the setup and key files, the fonts and the fixed screens.
#pragma once

#include "magtool/check_report.h"

// Leaves EngineFontManager and EngineFixedFont loaded for the articles.
void CheckStartup(CheckReport& report);
