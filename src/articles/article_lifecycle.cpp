#include "articles/article_lifecycle.h"

#include <string>

#include "articles/article_history.h"
#include "articles/article_links.h"
#include "articles/article_parse.h"
#include "resources/archive.h"

namespace {

void Reset(Article& article, const std::string& fileName, ArticleFonts fonts,
           std::vector<std::exception_ptr>* keptFaults) {
  article = Article{};
  article.fonts = fonts;
  article.keptFaults = keptFaults;
  article.activeLinkColour = 0xFF0000;
  article.visitedLinkColour = 0x0000FF;
  article.fileName = fileName;
  article.lineScroll = true;
  article.pageScroll = true;
  article.spreadSingleStep = true;
  article.spreadDoubleStep = true;
  article.hoverId = -1;
  article.titleColour = -1;
  article.firstDraw = true;
}

const LinkEntry* FindTarget(const Article& article, int32_t id) {
  for (const LinkEntry& entry : article.linkTargets) {
    if (entry.id == id) return &entry;
  }
  return nullptr;
}

void ResolveTargets(Article& article) {
  for (ArticleLine& line : article.lines) {
    for (TextSegment& segment : line.segments) {
      if (segment.isLink) segment.target = FindTarget(article, segment.linkId);
    }
  }
}

}  // namespace

void ArticleLoad(Article& article, const char* path, ArticleFonts fonts,
                 std::vector<std::exception_ptr>* keptFaults) {
  // Copied first: path may be the fileName of this very article, reloaded.
  const std::string fullPath(path);
  Reset(article, fullPath.substr(0, PATH_MAX_CHARS), fonts, keptFaults);
  ArticleParse(article, fullPath.c_str());
  ResolveTargets(article);
  ArticlePrepareTitle(article);
  ArticleBuildHotspots(article);
  if (!article.linkTargets.empty()) {
    HistoryApply(article.linkTargets, ResourceOwnFile(HISTORY_FILE).c_str());
  }
}

void ArticleClose(Article& article) {
  if (!article.linkTargets.empty()) {
    HistoryAppendVisited(article.linkTargets, ResourceOwnFile(HISTORY_FILE).c_str());
  }
  article.hoverId = -1;
  article.hoverTarget = nullptr;
  article.title.clear();
  article.titleColours.clear();
  article.placements.clear();
  for (PictureEntry& entry : article.pictures) PictureFree(entry.image);
  article.pictures.clear();
  article.linkTargets.clear();
  FontCacheFree(article.fontCache);
  article.drawings.clear();
  article.lines.clear();
  article.hotspots.clear();
}
