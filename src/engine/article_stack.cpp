#include "engine/article_stack.h"

#include "articles/article_lifecycle.h"
#include "articles/article_view.h"
#include "base/fatal.h"
#include "engine/reader_state.h"
#include "engine/screen_transitions.h"
#include "widgets/transitions.h"

namespace {

void CloseCurrentArticle(std::unique_ptr<Article>& article) {
  if (!article) return;
  ArticleClose(*article);
  article.reset();
}

void LoadCurrentArticle(Reader& reader) {
  reader.CurrentArticle = std::make_unique<Article>();
  ArticleLoad(*reader.CurrentArticle, reader.CurrentArticlePath.c_str(), EngineFonts(reader));
}

// The new page fades in over the old one while the progress bar glides from
// the old reading position to the new one.
void NavigationAnimation(Reader& reader, float from) {
  Panel& panel = *reader.CurrentPanel;
  RunPageAnimation(
      reader, [&](float t) { CrossfadeFrame(panel, t, reader.BackBuffer); }, from,
      ArticleScrollFraction(*reader.CurrentArticle), reader.Setup.ScrollFadeTime);
}

}  // namespace

void OpenArticle(Reader& reader, const std::string& path) {
  PanelEngineState& engine = reader.PanelEngine;
  engine.Link = nullptr;  // it goes with the article
  RefreshView(reader, FOCUS_CLAMP, VIEW_CAPTURE_OLD);
  const ArticleScroll scroll = ArticleGetScroll(*reader.CurrentArticle);
  if (reader.ArticleStackDepth > ARTICLE_STACK_SIZE - 1) FatalError("Article stack overflow !");
  reader.ArticleStack[reader.ArticleStackDepth++] =
      ArticlePlace{scroll.scrollY, scroll.rightScrollY, engine.LinkFocus, engine.OffPage,
                   reader.CurrentArticlePath};
  const float from = ArticleScrollFraction(*reader.CurrentArticle);
  CloseCurrentArticle(reader.CurrentArticle);
  reader.CurrentArticlePath = path.substr(0, PATH_MAX_CHARS);
  LoadCurrentArticle(reader);
  engine.LinkFocus = 0;
  engine.OffPage = 0;
  RefreshView(reader, FOCUS_CLAMP, VIEW_CAPTURE_NEW);
  NavigationAnimation(reader, from);
}

void GoBack(Reader& reader) {
  reader.PanelEngine.Link = nullptr;  // it goes with the article
  RefreshView(reader, FOCUS_CLAMP, VIEW_CAPTURE_OLD);
  const float from = ArticleScrollFraction(*reader.CurrentArticle);
  CloseCurrentArticle(reader.CurrentArticle);
  if (reader.ArticleStackDepth < 1) FatalError("Article stack underflow !");
  ArticlePlace& place = reader.ArticleStack[--reader.ArticleStackDepth];
  reader.PanelEngine.LinkFocus = place.linkFocus;
  reader.PanelEngine.OffPage = place.offPage;
  reader.CurrentArticlePath = std::move(place.path);
  place.path.clear();
  LoadCurrentArticle(reader);
  ArticleSetScroll(*reader.CurrentArticle, place.scrollY, place.rightScrollY);
  RefreshView(reader, FOCUS_CLAMP, VIEW_CAPTURE_NEW);
  NavigationAnimation(reader, from);
}

void ArticleStackClear(Reader& reader) {
  for (ArticlePlace& place : reader.ArticleStack) place = ArticlePlace{};
  reader.ArticleStackDepth = 0;
}
