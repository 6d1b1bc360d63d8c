// The panel list and every panel file it names, read as ParsePanels reads
// them but one file and one picture at a time, so that every fault is found.
#pragma once

#include <memory>
#include <vector>

#include "magtool/check_report.h"
#include "widgets/panel.h"

// The panels that built, for laying out the articles.
std::vector<std::unique_ptr<Panel>> CheckPanels(CheckReport& report);
