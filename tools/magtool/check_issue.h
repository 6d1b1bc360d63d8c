// magtool check's work: the issue in "data.rs" of the current directory
// loaded as the reader loads it, every problem reported.
#pragma once

#include "magtool/check_report.h"

// The current directory should hold nothing but the archive: a path the
// archive lacks is looked for there. Leaves no engine state behind.
CheckReport CheckIssue();
