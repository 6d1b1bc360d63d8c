// magtool check's work: the issue loaded as the reader loads it, every
// problem reported.
#pragma once

#include "magtool/check_report.h"
#include "resources/reader_places.h"

// The folder of places should hold nothing but what the reader writes: a path
// the archive lacks is looked for there. Leaves no engine state behind.
CheckReport CheckIssue(const ReaderPlaces& places);
