#include "magtool/check_articles.h"

#include <map>
#include <set>
#include <string_view>
#include <vector>

#include "articles/article_lifecycle.h"
#include "articles/article_links.h"
#include "articles/article_parse.h"
#include "articles/article_view.h"
#include "articles/link_targets.h"
#include "base/integer_reader.h"
#include "engine/panel_engine.h"
#include "magtool/article_walk.h"
#include "magtool/check_glyphs.h"
#include "magtool/check_lines.h"
#include "magtool/check_markup.h"
#include "magtool/check_source.h"
#include "pictures/image_loader.h"
#include "search/search_index.h"

namespace {

struct PictureResult {
  std::optional<StepFailure> error;
  bool missing = false;
};

class ArticleCrawl {
 public:
  ArticleCrawl(CheckReport& report, const std::vector<std::unique_ptr<Panel>>& panels,
               ModuleCheck& modules, ArticleFonts fonts)
      : report_(report), panels_(panels), modules_(modules), fonts_(fonts) {}

  // Named by the reader or by a link, not only by the search list.
  void MarkLinked(const std::string& path) { linked_.insert(MemberKey(path)); }
  bool Linked(const std::string& path) const { return linked_.count(MemberKey(path)) != 0; }
  // The articles that loaded, in order.
  const std::vector<std::string>& Loaded() const { return loaded_; }

  // The faults the parse passed over, then the one that stopped it.
  void CheckArticle(const ArticleRef& ref, const ReachArticle& reach) {
    Article article;
    std::vector<std::exception_ptr> kept;
    const auto error = RunStep([&] { ArticleLoad(article, ref.path.c_str(), fonts_, &kept); });
    for (const std::exception_ptr& fault : kept) {
      const StepFailure failure = KeptFailure(fault);
      report_.Add({ref.path, LineIn(failure.places, ref.path)}, failure);
    }
    if (error) {
      ReportLoadError(ref, *error);
      return;
    }
    ++report_.articles;
    report_.pictures += static_cast<int32_t>(article.pictures.size());
    for (const std::unique_ptr<Panel>& panel : panels_) {
      Attempt(report_, {ref.path}, [&] { ArticleSetView(article, panel->oldPage); });
    }
    const std::vector<MemberLine> source = SourceLines(ref.path);
    CheckTargets(article, ref.path, source, reach);
    CheckMarkup(report_, ref.path, article, panels_);
    CheckSource(report_, ref.path, source);
    CheckGlyphs(report_, ref.path, article, source);
    loaded_.push_back(ref.path);
    RunStep([&] { ArticleClose(article); });
  }

 private:
  // A missing article is reported where it is named, a broken one at its line.
  void ReportLoadError(const ArticleRef& ref, const StepFailure& error) {
    const int32_t line = LineIn(error.places, ref.path);
    if (line == 0 && !ref.from.path.empty() && !MemberExists(ref.path)) {
      const std::string message = ref.missingMessage ? ref.missingMessage : error.message;
      report_.Add(ref.from, StepFailure{message, ref.path, {}});
    } else {
      report_.Add({ref.path, line}, error);
    }
  }

  void CheckTargets(const Article& article, const std::string& path,
                    const std::vector<MemberLine>& source, const ReachArticle& reach) {
    for (const LinkEntry& entry : article.linkTargets) {
      const CheckSite site{path, FindLine(source, entry.text)};
      // Fatal only once the link is hovered over a title box: reported anyway.
      if (entry.alt.size() > MAX_ALT_LENGTH) report_.Add(site, ALT_TOO_LONG);
      switch (entry.kind) {
        case LinkKind::Article:
          MarkLinked(entry.argument);
          reach({entry.argument, site, nullptr});
          break;
        case LinkKind::Picture:
          CheckPicture(site, entry.argument);
          break;
        case LinkKind::Music:
          modules_.Check(report_, site, entry.argument);
          break;
        case LinkKind::Panel:
          CheckPanelNumber(site, entry.argument);
          break;
        case LinkKind::Document:
        case LinkKind::Other:
          break;
      }
    }
  }

  // As the picture view loads it: a missing file where it is named.
  void CheckPicture(const CheckSite& site, const std::string& path) {
    auto [it, added] = pictures_.try_emplace(MemberKey(path));
    PictureResult& result = it->second;
    if (added) {
      result.error = RunStep([&] {
        Picture picture{};
        ImageLoader(path.c_str(), picture);
      });
      result.missing = result.error && !MemberExists(path);
      if (!result.error) {
        ++report_.pictures;
      } else if (!result.missing) {
        report_.Add({path}, *result.error);
      }
    }
    if (result.missing) report_.Add(site, *result.error, path);
  }

  // Read as the panel switch reads it: a number past the panels wraps around them.
  void CheckPanelNumber(const CheckSite& site, const std::string& argument) {
    const std::optional<int32_t> number = ParseInt(argument);
    if (!number) return report_.Add(site, "Invalid pVal value !");
    const auto count = static_cast<int32_t>(panels_.size());
    const std::optional<int32_t> panel = LinkedPanel(argument, count);
    if (!panel || *panel == *number) return;
    const std::string link = "PAN:" + argument;
    if (count == 1) {
      return report_.Warn(site, link +
                                    ": the issue has one panel, so the link does nothing; "
                                    "leave it out or list more panels in DATA/configs/panels.txt");
    }
    report_.Warn(site, link + ": the issue has " + std::to_string(count) + " panels (0 to " +
                           std::to_string(count - 1) + "); the reader takes it as panel " +
                           std::to_string(*panel) + ": write PAN:" + std::to_string(*panel));
  }

  CheckReport& report_;
  const std::vector<std::unique_ptr<Panel>>& panels_;
  ModuleCheck& modules_;
  ArticleFonts fonts_;
  std::set<std::string> linked_;  // by MemberKey
  std::vector<std::string> loaded_;
  std::map<std::string, PictureResult> pictures_;  // by MemberKey
};

// Articles the reader never reaches by a link, or the search never finds.
void CheckReach(CheckReport& report, const ArticleCrawl& crawl,
                const std::vector<ListedArticle>& listed, const std::vector<std::string>& members) {
  for (const std::string& member : members) {
    const std::string key = MemberKey(member);
    if (!key.ends_with(".art") || crawl.Linked(member)) continue;
    report.Warn({member}, "nothing links to this article: link it from " +
                              std::string(FIRST_ARTICLE) +
                              " or another article with <#LINK:ART:" + member + "#>");
  }
  std::set<std::string> onList;
  for (const ListedArticle& article : listed) onList.insert(MemberKey(article.path));
  for (const std::string& path : crawl.Loaded()) {
    if (onList.count(MemberKey(path)) == 0) {
      report.Warn({path}, "the search does not find this article: add it to " +
                              std::string(SEARCH_LIST_PATH));
    }
  }
}

}  // namespace

void CheckArticles(CheckReport& report, const std::vector<std::unique_ptr<Panel>>& panels,
                   ModuleCheck& modules, const std::vector<ListedArticle>& listed,
                   ArticleFonts fonts, const std::vector<std::string>& members) {
  ArticleCrawl crawl(report, panels, modules, fonts);
  for (const char* path : {FIRST_ARTICLE, HELP_ARTICLE, MENU_ARTICLE}) crawl.MarkLinked(path);
  WalkArticles(listed, [&](const ArticleRef& ref, const ReachArticle& reach) {
    crawl.CheckArticle(ref, reach);
  });
  CheckReach(report, crawl, listed, members);
}
