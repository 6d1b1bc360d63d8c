// magtool sheet: every page of every article the reader can reach, drawn off
// screen as labelled thumbnails in one PNG, and each page's links printed.
#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "articles/article_lifecycle.h"
#include "articles/article_links.h"
#include "articles/article_view.h"
#include "articles/link_targets.h"
#include "engine/video.h"
#include "magtool/article_walk.h"
#include "magtool/commands.h"
#include "magtool/contact_sheet.h"
#include "magtool/render_session.h"
#include "magtool/rgb_png.h"
#include "resources/file_ptr.h"

namespace {

struct SheetRun {
  Panel& panel;
  ArticleFonts fonts;
  Picture screen;
  ContactSheet sheet;
};

std::string FileName(const std::string& path) {
  const size_t slash = path.find_last_of("/\\");
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

// An article's link as the map shows it: the article's path, or any other
// kind with its kind; the title box's text left out.
std::string Shown(const LinkEntry& link) {
  if (link.kind == LinkKind::Article) return link.argument;
  return link.text.substr(0, 4) + link.argument;
}

// The links the page shows, in the order the reader's keys select them,
// each once.
std::vector<const LinkEntry*> PageLinks(const Article& article) {
  std::vector<const LinkEntry*> links;
  const int32_t last = ArticleLastVisibleHotspot(article);
  for (int32_t i = ArticleFirstVisibleHotspot(article); i >= 0 && i <= last; ++i) {
    const int32_t id = ArticleHotspotId(article, i);
    for (const LinkEntry& entry : article.linkTargets) {
      if (entry.id == id && std::find(links.begin(), links.end(), &entry) == links.end()) {
        links.push_back(&entry);
      }
    }
  }
  return links;
}

// Steps as the reader's page key does; false on the last page.
bool NextPage(Article& article) {
  const ArticleScroll before = ArticleGetScroll(article);
  ArticlePageForward(article);
  const ArticleScroll after = ArticleGetScroll(article);
  return after.scrollY != before.scrollY || after.rightScrollY != before.rightScrollY;
}

// The first draw resets the page as the reader's first frame does. An
// article the reader scrolls by lines only is still shown page by page here,
// so that every part of it is on the sheet.
void SheetArticle(SheetRun& run, const std::string& path, const ReachArticle& reach) {
  Article article;
  ArticleLoad(article, path.c_str(), run.fonts);
  article.pageScroll = true;
  if (!article.spreadSingleStep) article.spreadDoubleStep = true;
  DrawFrame(run.panel, article, run.screen);
  for (int32_t page = 1;; ++page) {
    SheetAdd(run.sheet, run.screen, FileName(path) + " p." + std::to_string(page));
    for (const LinkEntry* link : PageLinks(article)) {
      std::printf("%s p.%d -> %s\n", path.c_str(), page, Shown(*link).c_str());
      const std::string linked = LinkedArticle(*link);
      if (!linked.empty()) reach({linked, {path}, nullptr});
    }
    if (!NextPage(article)) break;
    DrawFrame(run.panel, article, run.screen);
  }
  // Links on no page still lead somewhere: in the order they were written.
  for (auto entry = article.linkTargets.rbegin(); entry != article.linkTargets.rend(); ++entry) {
    const std::string linked = LinkedArticle(*entry);
    if (!linked.empty()) reach({linked, {path}, nullptr});
  }
  ArticleClose(article);
}

int SheetIssue(const SheetOptions& options, RenderResources& loaded) {
  Panel* panel = RenderPanel(loaded, options.panel);
  if (panel == nullptr) return 1;
  SheetRun run{*panel, loaded.Fonts(), {}, {}};
  run.sheet.width = options.width;
  run.sheet.height = options.height;
  PictureAlloc(run.screen, SCREEN_WIDTH, SCREEN_HEIGHT);
  PanelSetMouse(*panel, -1, -1);  // outside the window: no link lit
  WalkArticles(ListedArticles(), [&](const ArticleRef& ref, const ReachArticle& reach) {
    SheetArticle(run, ref.path, reach);
  });
  if (run.sheet.dropped > 0) {
    std::fprintf(stderr, "magtool: the sheet shows the first %zu pages; %zu more are left out\n",
                 run.sheet.thumbnails.size(), run.sheet.dropped);
  }
  const Picture picture = SheetCompose(run.sheet, *loaded.fixedFont);
  if (WriteRgbPng(OpenFile(options.out.c_str(), "wb"), picture, 32)) return 0;
  std::fprintf(stderr, "magtool: cannot write %s\n", options.out.c_str());
  return 1;
}

}  // namespace

int SheetCommand(const SheetOptions& options) {
  return WithRenderedIssue(options.source, "magtool-sheet",
                           [&](RenderResources& loaded) { return SheetIssue(options, loaded); });
}
