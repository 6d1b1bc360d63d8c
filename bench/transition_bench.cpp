// One step of each page transition halfway through, on the demo's first panel
// with its contents page, and one whole full-screen dissolve cut to a single
// step.
#include <benchmark/benchmark.h>

#include <memory>

#include "articles/article_lifecycle.h"
#include "articles/article_view.h"
#include "demo_engine.h"
#include "engine/screen_transitions.h"
#include "widgets/transitions.h"

namespace {

constexpr float HALFWAY = 0.5f;

// The old and the new page of a page-down on article, captured as the
// engine captures them before animating; returns both scroll positions.
struct PageChange {
  ArticleScroll from, to;
};

PageChange CapturePageDown(Panel& panel, Article& article) {
  ArticleSetView(article, panel.oldPage);
  const ArticleScroll from = ArticleGetScroll(article);
  PanelRenderPage(panel, &article, 0, 0);
  ArticlePageForward(article);
  PanelRenderPage(panel, &article, 1, 0);
  return {from, ArticleGetScroll(article)};
}

// The demo started at 32 bpp, one frame shown, a page-down captured.
struct TransitionBench {
  DemoEngine engine{32};
  Reader& reader = engine.reader();
  PageChange change;
  TransitionBench() {
    EngineCommand(reader, ENGINE_FRAME);
    change = CapturePageDown(*reader.CurrentPanel, *reader.CurrentArticle);
  }
};

void BM_PlasmaStep(benchmark::State& state) {
  TransitionBench bench;
  Reader& r = bench.reader;
  for (auto _ : state) PlasmaFrame(*r.CurrentPanel, HALFWAY, r.BackBuffer, r.PlasmaImage);
}

void BM_CrossfadeStep(benchmark::State& state) {
  TransitionBench bench;
  Reader& r = bench.reader;
  for (auto _ : state) CrossfadeFrame(*r.CurrentPanel, HALFWAY, r.BackBuffer);
}

void BM_PageTurnStep(benchmark::State& state) {
  TransitionBench bench;
  const auto backward = static_cast<int32_t>(state.range(0));
  Reader& r = bench.reader;
  for (auto _ : state) PageTurnFrame(*r.CurrentPanel, HALFWAY, r.BackBuffer, backward);
}

// Whole views on the contents page (variants 3, 4).
void BM_SlideStep(benchmark::State& state) {
  TransitionBench bench;
  const auto variant = static_cast<int32_t>(state.range(0));
  const PageChange& change = bench.change;
  Reader& r = bench.reader;
  for (auto _ : state) {
    SlideFrame(*r.CurrentPanel, *r.CurrentArticle, variant, change.from, change.to, HALFWAY,
               r.BackBuffer);
  }
}

// Single columns on the demo's two-column article (variants 1, 2).
void BM_ColumnSlideStep(benchmark::State& state) {
  TransitionBench bench;
  const auto variant = static_cast<int32_t>(state.range(0));
  Reader& r = bench.reader;
  auto article = std::make_unique<Article>();
  ArticleLoad(*article, "DATA/arts/history.art", EngineFonts(r));
  const PageChange change = CapturePageDown(*r.CurrentPanel, *article);
  for (auto _ : state) {
    SlideFrame(*r.CurrentPanel, *article, variant, change.from, change.to, HALFWAY, r.BackBuffer);
  }
  ArticleClose(*article);
}

void BM_PanelDissolveStep(benchmark::State& state) {
  TransitionBench bench;
  for (auto _ : state) PanelDissolveStep(bench.reader, 0.5f);
}

}  // namespace

BENCHMARK(BM_PlasmaStep)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_CrossfadeStep)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PageTurnStep)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SlideStep)->Arg(SLIDE_BACK)->Arg(SLIDE_FORWARD)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ColumnSlideStep)->Arg(SLIDE_COLUMN_BACK)->Arg(SLIDE_COLUMN_FORWARD)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PanelDissolveStep)->Unit(benchmark::kMicrosecond);
