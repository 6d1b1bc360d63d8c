#include "magtool/article_walk.h"

#include <deque>
#include <set>

#include "articles/link_targets.h"
#include "engine/panel_engine.h"
#include "magtool/check_lines.h"

void WalkArticles(const std::vector<ListedArticle>& listed, const VisitArticle& visit) {
  std::deque<ArticleRef> queue;
  std::set<std::string> seen;  // by MemberKey
  const ReachArticle reach = [&](ArticleRef ref) {
    if (seen.insert(MemberKey(ref.path)).second) queue.push_back(std::move(ref));
  };
  const auto run = [&] {
    while (!queue.empty()) {
      const ArticleRef ref = std::move(queue.front());
      queue.pop_front();
      visit(ref, reach);
    }
  };
  for (const char* path : {FIRST_ARTICLE, HELP_ARTICLE, MENU_ARTICLE}) reach({path, {}, nullptr});
  run();
  for (const ListedArticle& article : listed) {
    reach({article.path, article.site, UNLISTABLE_ARTICLE});
  }
  run();
}

std::string LinkedArticle(const LinkEntry& link) {
  return link.kind == LinkKind::Article ? link.argument : std::string();
}
