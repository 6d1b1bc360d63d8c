// What the reader passes over without a word in an article's source text:
// colour tags whose value is no hexadecimal colour, and tab characters.
#pragma once

#include <string>
#include <vector>

#include "magtool/check_lines.h"
#include "magtool/check_report.h"

void CheckSource(CheckReport& report, const std::string& path,
                 const std::vector<MemberLine>& source);
