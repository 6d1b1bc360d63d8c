#include "engine/article_stack.h"

#include "articles/article_lifecycle.h"
#include "articles/article_view.h"
#include "base/fatal.h"
#include "base/setup_config.h"
#include "engine/engine.h"
#include "engine/panel_engine.h"
#include "engine/panel_list.h"
#include "engine/screen_transitions.h"
#include "widgets/transitions.h"

std::array<ArticlePlace, ARTICLE_STACK_SIZE> ArticleStack;
int32_t ArticleStackDepth;

namespace {

void CloseCurrentArticle() {
  if (!CurrentArticle) return;
  ArticleClose(*CurrentArticle);
  CurrentArticle.reset();
}

void LoadCurrentArticle() {
  CurrentArticle = std::make_unique<Article>();
  ArticleLoad(*CurrentArticle, CurrentArticlePath.c_str(), EngineFonts());
}

// The new page fades in over the old one while the progress bar glides from
// the old reading position to the new one.
void NavigationAnimation(float from) {
  Panel& panel = *CurrentPanel;
  RunPageAnimation([&](float t) { CrossfadeFrame(panel, t, BackBuffer); }, from,
                   ArticleScrollFraction(*CurrentArticle), Setup.ScrollFadeTime);
}

}  // namespace

void OpenArticle(const std::string& path) {
  RefreshView(FOCUS_CLAMP, VIEW_CAPTURE_OLD);
  const ArticleScroll scroll = ArticleGetScroll(*CurrentArticle);
  if (ArticleStackDepth > ARTICLE_STACK_SIZE - 1) FatalError("Article stack overflow !");
  ArticleStack[ArticleStackDepth++] = ArticlePlace{scroll.scrollY, scroll.rightScrollY,
                                                   PanelEngine.LinkFocus, PanelEngine.OffPage,
                                                   CurrentArticlePath};
  const float from = ArticleScrollFraction(*CurrentArticle);
  CloseCurrentArticle();
  CurrentArticlePath = path.substr(0, PATH_MAX_CHARS);
  LoadCurrentArticle();
  PanelEngine.LinkFocus = 0;
  PanelEngine.OffPage = 0;
  RefreshView(FOCUS_CLAMP, VIEW_CAPTURE_NEW);
  NavigationAnimation(from);
}

void GoBack() {
  RefreshView(FOCUS_CLAMP, VIEW_CAPTURE_OLD);
  const float from = ArticleScrollFraction(*CurrentArticle);
  CloseCurrentArticle();
  if (ArticleStackDepth < 1) FatalError("Article stack underflow !");
  ArticlePlace& place = ArticleStack[--ArticleStackDepth];
  PanelEngine.LinkFocus = place.linkFocus;
  PanelEngine.OffPage = place.offPage;
  CurrentArticlePath = std::move(place.path);
  place.path.clear();
  LoadCurrentArticle();
  ArticleSetScroll(*CurrentArticle, place.scrollY, place.rightScrollY);
  RefreshView(FOCUS_CLAMP, VIEW_CAPTURE_NEW);
  NavigationAnimation(from);
}

void ArticleStackClear() {
  for (ArticlePlace& place : ArticleStack) place = ArticlePlace{};
  ArticleStackDepth = 0;
}
