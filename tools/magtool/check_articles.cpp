#include "magtool/check_articles.h"

#include <map>
#include <string_view>

#include "articles/article_lifecycle.h"
#include "articles/article_links.h"
#include "articles/article_parse.h"
#include "articles/article_view.h"
#include "articles/link_targets.h"
#include "base/integer_reader.h"
#include "magtool/article_walk.h"
#include "magtool/check_lines.h"
#include "resources/image_loader.h"

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

  void CheckArticle(const ArticleRef& ref, const ReachArticle& reach) {
    Article article;
    const auto error =
        RunStep([&] { ArticleLoad(article, ref.path.c_str(), fonts_); });
    if (error) {
      ReportLoadError(ref, *error);
      return;
    }
    ++report_.articles;
    report_.pictures += static_cast<int32_t>(article.pictures.size());
    for (const std::unique_ptr<Panel>& panel : panels_) {
      Attempt(report_, {ref.path}, [&] { ArticleSetView(article, panel->oldPage); });
    }
    CheckTargets(article, ref.path, reach);
    RunStep([&] { ArticleClose(article); });
  }

 private:
  // A missing article is reported where it is named, a broken one at its line.
  void ReportLoadError(const ArticleRef& ref, const StepFailure& error) {
    const int32_t line = ArticleParseLine();
    if (line == 0 && !ref.from.path.empty() && !MemberExists(ref.path)) {
      const std::string message = ref.missingMessage ? ref.missingMessage : error.message;
      report_.Add(ref.from, StepFailure{message, ref.path});
    } else {
      report_.Add({ref.path, line}, error);
    }
  }

  void CheckTargets(const Article& article, const std::string& path, const ReachArticle& reach) {
    const std::vector<MemberLine> source = SourceLines(path);
    for (const LinkEntry& entry : article.linkTargets) {
      const std::string& target = entry.text;
      const CheckSite site{path, FindLine(source, target)};
      // Fatal only once the link is hovered over a title box: reported anyway.
      const LinkTargetParts parts = SplitLinkTarget(target);
      if (parts.alt.size() > MAX_ALT_LENGTH) report_.Add(site, ALT_TOO_LONG);
      const std::string argument(parts.argument);
      const std::string prefix = target.substr(0, 4);
      if (prefix == "ART:") {
        reach({argument, site, nullptr});
      } else if (prefix == "PIX:") {
        CheckPicture(site, argument);
      } else if (prefix == "MSX:") {
        modules_.Check(report_, site, argument);
      } else if (prefix == "PAN:") {
        CheckPanelNumber(site, argument);
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

  // Read as the panel switch reads it.
  void CheckPanelNumber(const CheckSite& site, const std::string& argument) {
    if (!ParseInt(argument)) report_.Add(site, "Invalid pVal value !");
  }

  CheckReport& report_;
  const std::vector<std::unique_ptr<Panel>>& panels_;
  ModuleCheck& modules_;
  ArticleFonts fonts_;
  std::map<std::string, PictureResult> pictures_;  // by MemberKey
};

}  // namespace

void CheckArticles(CheckReport& report, const std::vector<std::unique_ptr<Panel>>& panels,
                   ModuleCheck& modules, const std::vector<ListedArticle>& listed,
                   ArticleFonts fonts) {
  ArticleCrawl crawl(report, panels, modules, fonts);
  WalkArticles(listed, [&](const ArticleRef& ref, const ReachArticle& reach) {
    crawl.CheckArticle(ref, reach);
  });
}
