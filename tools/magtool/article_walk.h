// The walk through every article the reader can reach, each once, breadth
// first: from the index, help and menu articles through the articles they
// link to, then the articles on the search list not reached so. Whoever walks
// loads each article and names the articles it links to.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "articles/article.h"
#include "magtool/check_report.h"
#include "magtool/check_search.h"

struct ArticleRef {
  std::string path;
  CheckSite from;              // the link or list line; no path for the reader's own
  const char* missingMessage;  // what is said there of a missing article; null: the parser's
};

// Queues an article to visit, unless it has been reached before in any spelling.
using ReachArticle = std::function<void(ArticleRef)>;

// Called once for every article, in walk order.
using VisitArticle = std::function<void(const ArticleRef&, const ReachArticle&)>;

void WalkArticles(const std::vector<ListedArticle>& listed, const VisitArticle& visit);

// The article an "ART:" link target names; empty for any other kind of link.
std::string LinkedArticle(const LinkEntry& link);
