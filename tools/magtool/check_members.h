// What magtool check finds in the archive's members themselves, read whole:
// an issue packed from inside its DATA folder, text that Windows-1252
// cannot show, and GIFs the loader misreads. Warnings only.
#pragma once

#include <string>
#include <vector>

#include "magtool/check_report.h"

// The names of the archive's members in file order, as far as its headers
// read; none when it cannot be opened (the later steps say why).
std::vector<std::string> ArchiveMembers(const std::string& archive);

// Reads the members of the archive at archive through one open file.
void CheckMembers(CheckReport& report, const std::string& archive);

// The members under DATA/ that nothing of the issue asked for while it was
// checked: packed for nothing. Run after every other step, and only when
// they found no problem.
void CheckUnused(CheckReport& report, const std::vector<std::string>& members);
