// Characters the face that draws them has no glyph for, which the reader
// leaves blank or draws as the face's missing-glyph box: in the fixed font
// (which draws titles without a face of their own), BMF and TrueType faces. Each is named once an
// article, with the source line and column where it first stands.
#pragma once

#include <string>
#include <vector>

#include "articles/article.h"
#include "magtool/check_lines.h"
#include "magtool/check_report.h"

void CheckGlyphs(CheckReport& report, const std::string& path, const Article& article,
                 const std::vector<MemberLine>& source);
