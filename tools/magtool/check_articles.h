// Every article the reader can reach: the index, help and menu articles, the
// ones on the search list and every "ART:" target of a reached article, each
// parsed, laid out in every panel's middle area, with the pictures, panels
// and modules its links name. The articles are loaded with fonts.
#pragma once

#include <memory>
#include <vector>

#include "articles/article.h"
#include "magtool/check_music.h"
#include "magtool/check_report.h"
#include "magtool/check_search.h"
#include "widgets/panel.h"

void CheckArticles(CheckReport& report, const std::vector<std::unique_ptr<Panel>>& panels,
                   ModuleCheck& modules, const std::vector<ListedArticle>& listed,
                   ArticleFonts fonts);
