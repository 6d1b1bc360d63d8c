// The search box: its picture, its placement and the index of the listed
// articles, as SearchInit loads them.
#pragma once

#include <string>
#include <vector>

#include "magtool/check_report.h"

struct ListedArticle {
  std::string path;
  CheckSite site;  // its line in the search list
};

// The articles on the search list, each with its line; none when it cannot be read.
std::vector<ListedArticle> ListedArticles();

// The articles on the search list, for checking them whole.
std::vector<ListedArticle> CheckSearch(CheckReport& report);

// What the index says of a listed article it cannot open.
constexpr const char* UNLISTABLE_ARTICLE = "Cannot open artFile !";
