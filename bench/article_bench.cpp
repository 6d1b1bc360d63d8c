// Articles as the reader meets them: a long auto-broken, justified article
// loaded again and again, and a full page of the demo's densest article
// (two columns of text) drawn per frame.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "articles/article_lifecycle.h"
#include "articles/article_view.h"
#include "engine/font_list.h"
#include "resources/archive.h"
#include "support/scratch_dir.h"
#include "text/fixed_font.h"

namespace fs = std::filesystem;

namespace {

constexpr const char* BIG_ARTICLE = "big.art";
constexpr size_t BIG_SIZE = 200 * 1024;

// English-like words of 1 to 9 letters, weighted towards short ones.
std::string Word(std::mt19937& random) {
  static constexpr const char* WORDS[] = {
      "the", "of", "and", "a", "to", "in", "is", "you", "that", "it", "reader", "magazine",
      "page", "screen", "music", "article", "letters", "between", "through", "picture"};
  return WORDS[random() % std::size(WORDS)];
}

// Paragraphs of ~600 characters, alternately justified in modes 1 and 2, some
// with bold runs so that lines hold several segments.
std::string BigArticle() {
  std::mt19937 random(7);
  std::string text =
      "<#JLIMIT:584#><#FACENAME:DATA/fonts/arial.ttf#><#SIZE:12:12#><#ABREAK_ON1#>\n";
  for (int paragraph = 0; text.size() < BIG_SIZE; ++paragraph) {
    text += paragraph % 2 == 0 ? "<#JUSTIFY1#>" : "<#JUSTIFY2#>";
    std::string line;
    while (line.size() < 600) {
      line += random() % 16 == 0 ? "<#BOLD#>" + Word(random) + "<#NBOLD#>" : Word(random);
      line += ' ';
    }
    text += line + "<#ENDJ#>\n";
  }
  return text;
}

// The demo archive as "data.rs" in a fresh current directory, with the
// engine's fonts, for the life of one benchmark.
class DemoIssue {
 public:
  DemoIssue() {
    fs::copy_file(DEMO_ARCHIVE, "data.rs");
    fixedFont_ = FixedFontLoad("DATA/fonts/fixed.fnt");
    fontManager_ = FontManagerCreate();
    LoadFontList(*fontManager_);
  }
  ~DemoIssue() {
    FontManagerDestroy(fontManager_);
    fixedFont_.reset();
    ResourceCloseAll();
  }
  DemoIssue(const DemoIssue&) = delete;
  DemoIssue& operator=(const DemoIssue&) = delete;

  ArticleFonts Fonts() const { return {fontManager_.get(), fixedFont_.get()}; }

 private:
  ScratchDir dir_;  // made before the constructor's body runs in it
  std::unique_ptr<FixedFont> fixedFont_;
  std::unique_ptr<FontManager> fontManager_;
};

// Loads after the first, timed without the close.
void BM_ArticleLoadBig(benchmark::State& state) {
  DemoIssue issue;
  std::ofstream(BIG_ARTICLE, std::ios::binary) << BigArticle();
  Article warm;
  ArticleLoad(warm, BIG_ARTICLE, issue.Fonts());
  state.counters["lines"] = static_cast<double>(warm.lines.size());
  ArticleClose(warm);
  for (auto _ : state) {
    Article article;
    ArticleLoad(article, BIG_ARTICLE, issue.Fonts());
    state.PauseTiming();
    ArticleClose(article);
    state.ResumeTiming();
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * fs::file_size(BIG_ARTICLE)));
}
BENCHMARK(BM_ArticleLoadBig)->Unit(benchmark::kMillisecond);

// A 640x352 page of the two-column history article, with the hover test as in
// a frame.
void BM_ArticleDrawDensestPage(benchmark::State& state) {
  DemoIssue issue;
  Article article;
  ArticleLoad(article, "DATA/arts/history.art", issue.Fonts());  // two full columns of text
  Picture view;
  PictureAlloc(view, 640, 352);
  ArticleSetView(article, view);
  for (auto _ : state) {
    ArticleDraw(article, 0, {.hitTest = true, .left = true, .right = true});
    benchmark::ClobberMemory();
  }
  ArticleClose(article);
}
BENCHMARK(BM_ArticleDrawDensestPage)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
