// Every article the reader can reach: the index, help and menu articles, the
// ones on the search list and every "ART:" target of a reached article, each
// parsed, laid out in every panel's middle area, with the pictures, panels
// and modules its links name, and its markup's warnings. The articles are
// loaded with fonts. Of the archive's members, the articles nothing links to
// are warned of, and the loaded articles the search list lacks.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "articles/article.h"
#include "magtool/check_music.h"
#include "magtool/check_report.h"
#include "magtool/check_search.h"
#include "widgets/panel.h"

void CheckArticles(CheckReport& report, const std::vector<std::unique_ptr<Panel>>& panels,
                   ModuleCheck& modules, const std::vector<ListedArticle>& listed,
                   ArticleFonts fonts, const std::vector<std::string>& members);
