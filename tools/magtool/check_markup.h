// What a loaded article shows wrongly without stopping the reader: tags it
// skips (with the tag it likely meant), faces it replaces, and text or
// pictures reaching past the text area of the narrowest panel. Warnings only.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "articles/article.h"
#include "magtool/check_report.h"
#include "widgets/panel.h"

void CheckMarkup(CheckReport& report, const std::string& path, const Article& article,
                 const std::vector<std::unique_ptr<Panel>>& panels);

// The candidate nearest to name, ignoring ASCII case: the longest that begins
// it, else one within two edits; empty when none is near.
std::string NearMiss(const std::string& name, const std::vector<std::string>& candidates);
