// magtool web: the issue as a static web site, one page per article the
// reader can reach, with its pictures, faces, panels and documents, and the
// web engine with the issue's archive when there is one.
#include <cstdio>
#include <filesystem>
#include <optional>
#include <vector>

#include "articles/article_lifecycle.h"
#include "articles/article_view.h"
#include "articles/link_targets.h"
#include "engine/panel_engine.h"
#include "magtool/article_walk.h"
#include "magtool/check_search.h"
#include "magtool/commands.h"
#include "magtool/render_session.h"
#include "magtool/web/closing_page.h"
#include "magtool/web/page_html.h"
#include "magtool/web/panel_frame.h"
#include "magtool/web/picture_page.h"
#include "magtool/web/site.h"
#include "magtool/web/site_assets.h"
#include "magtool/web/site_faces.h"
#include "magtool/web/site_paths.h"
#include "magtool/web/web_engine.h"
#include "magtool/web/web_player.h"
#include "magtool/web/web_search.h"

namespace fs = std::filesystem;

namespace {

// Queues the articles the article at path links to, for both passes of the walk.
void ReachLinked(const Article& article, const std::string& path, const ReachArticle& reach) {
  for (auto entry = article.linkTargets.rbegin(); entry != article.linkTargets.rend(); ++entry) {
    const std::string linked = LinkedArticle(*entry);
    if (!linked.empty()) reach({linked, {path}, nullptr});
  }
}

void WritePage(Site& site, RenderResources& loaded, const std::string& path,
               const ReachArticle& reach) {
  Article article;
  ArticleLoad(article, path.c_str(), loaded.Fonts());
  // Two columns are cut into the reader's pages for the view of the panel
  // the site shows first.
  if (article.twoColumns != 0 && loaded.panelCount > 0 && loaded.panels[0] != nullptr) {
    ArticleSetView(article, loaded.panels[0]->oldPage);
  }
  const PageParts parts{PageName(path), path, path == FIRST_ARTICLE};
  if (site.engine && EngineFileName(parts.page)) {
    std::fprintf(stderr, "magtool: %s: its page would replace the web engine's %s (--no-engine)\n",
                 path.c_str(), parts.page.c_str());
    site.failed = true;
  }
  if (parts.page == "search.html" || parts.page == CLOSING_PAGE) {
    std::fprintf(stderr, "magtool: %s: its page would replace the site's own %s; rename it\n",
                 path.c_str(), parts.page.c_str());
    site.failed = true;
  }
  WriteSiteFile(site, parts.page, PageHtml(site, loaded, article, parts));
  ReachLinked(article, path, reach);
  ArticleClose(article);
}

// The arguments of every "MSX:" link of the articles the reader can reach.
std::vector<std::string> TuneLinks(RenderResources& loaded) {
  std::vector<std::string> links;
  WalkArticles(ListedArticles(), [&](const ArticleRef& ref, const ReachArticle& reach) {
    Article article;
    ArticleLoad(article, ref.path.c_str(), loaded.Fonts());
    for (const LinkEntry& entry : article.linkTargets) {
      if (entry.kind == LinkKind::Music) links.push_back(entry.argument);
    }
    ReachLinked(article, ref.path, reach);
    ArticleClose(article);
  });
  return links;
}

// The tunes first, so that every page's player can offer them.
bool WriteMusic(Site& site, RenderResources& loaded) {
  std::optional<std::string> failure = WriteWebMusic(site.out, TuneLinks(loaded), site.music);
  if (!failure) failure = WriteWebPlayer(site.out);
  if (failure) std::fprintf(stderr, "magtool: %s\n", failure->c_str());
  return !failure;
}

int WriteSite(const WebOptions& options, const fs::path& engine, RenderResources& loaded) {
  Site site;
  if (!OpenSiteFolder(options.out, site.out)) {
    std::fprintf(stderr, "magtool: cannot make %s\n", options.out.c_str());
    return 1;
  }
  site.followLinks = options.followLinks;
  site.panelCount = loaded.panelCount;
  std::error_code error;
  const fs::path source = fs::absolute(options.source);
  site.beside = fs::is_directory(source, error) ? source : source.parent_path();
  if (!WriteMusic(site, loaded)) return 1;
  if (!engine.empty()) WriteWebEngine(site, engine, loaded.archive);
  site.icon = SiteIcon(site);
  WriteSiteFile(site, "site.css", SITE_STYLE);
  WriteSiteFile(site, "site.js", SITE_SCRIPT);
  ListFaces(site, loaded);
  const std::string frames = WritePanelFrames(site, loaded);
  size_t pages = 0;
  WalkArticles(ListedArticles(), [&](const ArticleRef& ref, const ReachArticle& reach) {
    WritePage(site, loaded, ref.path, reach);
    ++pages;
  });
  // The pages told which characters each face must have.
  WriteSiteFile(site, "issue.css", WriteFaces(site) + frames);
  WriteSiteFile(site, "search.html", SearchPageHtml(site, loaded));
  WriteSiteFile(site, CLOSING_PAGE, ClosingPageHtml(site, loaded));
  for (const auto& [name, picture] : site.picturePages) {
    WriteSiteFile(site, name, PicturePageHtml(site, loaded, name, picture));
  }
  if (const auto failure = WriteWebSearch(site.out, PageName)) {
    std::fprintf(stderr, "magtool: %s\n", failure->c_str());
    return 1;
  }
  if (site.failed) return 1;
  std::printf("%zu pages, %zu files in %s\n", pages, site.written.size(), options.out.c_str());
  return 0;
}

}  // namespace

int WebCommand(const WebOptions& options) {
  // Without an engine the site can be written still: a build without one
  // makes the text edition, and says so.
  const fs::path engine = options.engine ? FindWebEngine() : fs::path();
  if (options.engine && engine.empty()) {
    std::fputs("magtool: note: no web engine found; the site is the text edition only\n", stderr);
  }
  // A folder is packed as pack packs it when the site carries its archive.
  const PackOptions packing{.store = engine.empty(), .followLinks = options.followLinks};
  return WithRenderedIssue(
      options.source, "magtool-web",
      [&](RenderResources& loaded) { return WriteSite(options, engine, loaded); }, packing);
}
