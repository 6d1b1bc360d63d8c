// What the reader loads at start-up besides panels, articles, search and
// music: the setup and key files, the fonts and the fixed screens.
#pragma once

#include <memory>

#include "articles/article.h"
#include "magtool/check_report.h"
#include "text/fixed_font.h"
#include "text/font_manager.h"

// The reader's two faces, as far as they load, for checking the articles.
struct CheckFonts {
  std::unique_ptr<FixedFont> fixed;
  std::unique_ptr<FontManager> manager;

  ArticleFonts Lend() const { return {manager.get(), fixed.get()}; }
};

// Leaves the faces that loaded in fonts.
void CheckStartup(CheckReport& report, CheckFonts& fonts);
