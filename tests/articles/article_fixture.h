// A scratch directory with the fixed font and an empty archive, so that
// article paths resolve to files in the current directory, and the article
// being tested.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "articles/article.h"
#include "articles/article_parse.h"
#include "base/clock.h"
#include "resources/archive.h"
#include "support/fatal_catch.h"
#include "support/scratch_dir.h"
#include "text/fixed_font.h"
#include "text/font_manager.h"

class ArticleFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    WriteFileBytes("data.rs", {});
    WriteFileBytes("fixed.fnt", std::vector<uint8_t>(4096));
    EngineFixedFont = FixedFontLoad("DATA/fonts/fixed.fnt");
    EngineFontManager = FontManagerCreate();
  }
  void TearDown() override {
    SetEngineClock(nullptr);
    FontCacheFree(article.fontCache);
    FontManagerDestroy(EngineFontManager);
    EngineFixedFont.reset();
    ResourceCloseAll();
  }

  void AddArial() {
    WriteFileBytes("arial.ttf", ReadFileBytes(TEST_FONT_DIR "/DejaVuSans.ttf"));
    FontManagerAddFont(*EngineFontManager, FALLBACK_FONT);
  }
  void Parse(const std::string& text) {
    WriteFileText("test.art", text);
    article.fonts = EngineFonts();
    ArticleParse(article, "DATA/articles/test.art");
  }
  ArticleFonts EngineFonts() const { return {EngineFontManager.get(), EngineFixedFont.get()}; }
  std::string ParseError(const std::string& text) {
    return FatalMessageOf([&] { Parse(text); });
  }
  // Display lines in reading order, without the sentinel.
  std::vector<const ArticleLine*> Lines() const {
    std::vector<const ArticleLine*> lines;
    for (auto line = article.lines.rbegin(); line != article.lines.rend(); ++line) {
      if (line->sourceLine != SENTINEL_SOURCE_LINE) lines.push_back(&*line);
    }
    return lines;
  }
  std::vector<std::string> Texts() const {
    std::vector<std::string> texts;
    for (const ArticleLine* line : Lines()) {
      texts.emplace_back();
      for (const TextSegment& segment : line->segments) texts.back() += segment.text + "|";
    }
    return texts;
  }

  ScratchDir scratch;
  std::unique_ptr<FixedFont> EngineFixedFont;
  std::unique_ptr<FontManager> EngineFontManager;
  Article article{};
};
