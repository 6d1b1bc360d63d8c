// An article loaded, laid out in a view of the given height and drawn page by
// page, its pictures animated, until paging forward no longer moves the view.
#pragma once

#include <cstdint>
#include <string>

#include "articles/article.h"

void ReadWholeArticle(const std::string& path, int32_t viewHeight, ArticleFonts fonts);
