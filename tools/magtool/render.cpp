// magtool render: one normal reader frame drawn off screen into a PNG.
#include <cstdio>

#include "articles/article_lifecycle.h"
#include "articles/article_view.h"
#include "engine/video.h"
#include "magtool/commands.h"
#include "magtool/render_outline.h"
#include "magtool/render_session.h"
#include "magtool/rgb_png.h"
#include "resources/file_ptr.h"

namespace {

// The first draw resets the page as the reader's first frame does.
void RenderArticle(const RenderOptions& options, Panel& panel, ArticleFonts fonts,
                   Picture& screen) {
  Article article;
  ArticleLoad(article, options.article.c_str(), fonts);
  PanelSetMouse(panel, options.mouseX, options.mouseY);
  DrawFrame(panel, article, screen);
  for (int32_t i = 0; i < options.page; ++i) ArticlePageForward(article);
  DrawFrame(panel, article, screen);
  if (options.outline) DrawOutline(panel, article, screen);
  ArticleClose(article);
}

int RenderIssue(const RenderOptions& options, RenderResources& loaded) {
  Panel* panel = RenderPanel(loaded, options.panel);
  if (panel == nullptr) return 1;
  Picture screen;
  PictureAlloc(screen, SCREEN_WIDTH, SCREEN_HEIGHT);
  RenderArticle(options, *panel, loaded.Fonts(), screen);
  if (WriteRgbPng(OpenFile(options.out.c_str(), "wb"), screen, options.bpp)) return 0;
  std::fprintf(stderr, "magtool: cannot write %s\n", options.out.c_str());
  return 1;
}

}  // namespace

int RenderCommand(const RenderOptions& options) {
  return WithRenderedIssue(options.source, "magtool-render",
                           [&](RenderResources& loaded) { return RenderIssue(options, loaded); });
}
