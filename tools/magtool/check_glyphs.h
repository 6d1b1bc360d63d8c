// Characters the face that draws them has no glyph for, which the reader
// passes over as blank: in the fixed font (which draws titles without a face
// of their own) and in BMF faces. Each is named once an article, with the
// source line and column where it first stands.
#pragma once

#include <string>
#include <vector>

#include "articles/article.h"
#include "magtool/check_lines.h"
#include "magtool/check_report.h"

void CheckGlyphs(CheckReport& report, const std::string& path, const Article& article,
                 const std::vector<MemberLine>& source);
