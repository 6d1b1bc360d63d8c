#include "support/whole_article.h"

#include <gtest/gtest.h>

#include "articles/article_lifecycle.h"
#include "articles/article_view.h"

void ReadWholeArticle(const std::string& path, int32_t viewHeight, ArticleFonts fonts) {
  Article article{};
  Picture view{};
  PictureAlloc(view, 640, viewHeight);
  ArticleLoad(article, path.c_str(), fonts);
  ArticleSetView(article, view);
  ArticleHome(article);
  int pages = 0;
  for (bool moved = true; moved && pages < 100; ++pages) {
    ArticleDraw(article, 0, {.hitTest = true, .left = true, .right = true});
    ArticleAnimatePictures(article);
    const ArticleScroll before = ArticleGetScroll(article);
    ArticlePageForward(article);
    const ArticleScroll after = ArticleGetScroll(article);
    moved = after.scrollY != before.scrollY || after.rightScrollY != before.rightScrollY;
  }
  EXPECT_LT(pages, 100) << path << ": paging never ends";
  ArticleClose(article);
  PictureFree(view);
}
