// What a watching reader shows of magtool check's report: the first problem
// for a fault, and for the article shown its warnings, on a yellow band at
// the foot of the page, one at a time; F12 shows the next.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "text/fixed_font.h"

constexpr const char* NEXT_WARNING_KEY = "F12";

struct WatchWarnings {
  std::vector<std::string> lines;  // the report's warning lines, of the whole issue
  size_t shown = 0;                // which of the article's is on the band
  std::string article;             // the article they were counted for
  std::string bandText;            // the text the band was last drawn with
};

// The report's first problem (not a warning, not the summary); empty when none.
std::string FirstProblem(const std::string& report);

// The report's warnings replace the ones before; when they differ, they are
// printed on standard output, for the editor's terminal.
void TakeCheckReport(WatchWarnings& warnings, const std::string& report);

// The warning to show for the article at path after steps presses of the
// key, counted ("... (1 of 2, F12: next)"); empty when it has none.
std::string WarningText(WatchWarnings& warnings, const std::string& path, int32_t steps);

// text on the band: rows of SCREEN_WIDTH pixels.
std::vector<uint32_t> WarningBand(const std::string& text, const FixedFont& font);

// Lines of at most 78 characters, broken after a space where there is one;
// at most 8 of them: what a band across the screen holds.
std::vector<std::string> BandLines(const std::string& text);
