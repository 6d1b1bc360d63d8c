// Moving between articles and between links: ART: links, the three ways
// back, the stack's limits, keyboard link steps and the sleeping mouse.
#include <gtest/gtest.h>

#include <tuple>
#include <utility>
#include <vector>

#include "articles/article_view.h"
#include "base/setup_config.h"
#include "engine/article_stack.h"
#include "engine/panel_engine.h"
#include "support/fatal_catch.h"
#include "support/reader_fixture.h"
#include "support/startup_files.h"

namespace {

using NavigationTest = ReaderFixture;

ArticlePlace Here(const Reader& reader) {
  const ArticleScroll scroll = ArticleGetScroll(*reader.CurrentArticle);
  const PanelEngineState& engine = reader.PanelEngine;
  return {scroll.scrollY, scroll.rightScrollY, engine.LinkFocus, engine.OffPage,
          reader.CurrentArticlePath};
}

auto Fields(const ArticlePlace& place) {
  return std::tie(place.path, place.scrollY, place.rightScrollY, place.linkFocus, place.offPage);
}

}  // namespace

TEST_F(NavigationTest, StartOpensItsArticleInTheFirstPanelAtOnce) {
  StopEngine(reader);
  reader.StartArticle = "DATA/arts/two.art";
  StartEngine(reader, places);
  Step();
  EXPECT_EQ(reader.CurrentArticlePath, "DATA/arts/two.art");
  EXPECT_EQ(reader.CurrentPanel, reader.PanelList[0].get());
  EXPECT_EQ(reader.BackBuffer.pixels[640 * 479 + 639], PANEL_COLOURS[0]);
}

// Into two.art and on by links, then back by the key, the back button and the
// right button; the link taken shows visited on the way back.
TEST_F(NavigationTest, LinksCrossFadeOnAndEveryWayBackRestoresThePlaceLeft) {
  for (int i = 0; i < 3; ++i) Key(SLOT_LINE_DOWN);
  Key(SLOT_NEXT_LINK);
  Key(SLOT_NEXT_LINK);
  Step();
  const ArticlePlace index = Here(reader);
  ASSERT_GT(index.scrollY, 0);
  ASSERT_GT(index.linkFocus, 0);
  ASSERT_EQ(index.offPage, 1);
  const uint32_t before = Now();
  ClickLink("ART:DATA/arts/two.art");
  EXPECT_GE(Now() - before, static_cast<uint32_t>(reader.Setup.ScrollFadeTime));
  EXPECT_EQ(reader.CurrentArticlePath, "DATA/arts/two.art");
  EXPECT_EQ(reader.ArticleStackDepth, 1);

  Key(SLOT_LINE_DOWN);
  Key(SLOT_LINE_DOWN);
  Step();
  const ArticlePlace two = Here(reader);
  ASSERT_NE(two.rightScrollY, -reader.CurrentArticle->pageStarts[1]);
  ClickLink("ART:DATA/arts/plain.art");
  const ArticlePlace plain = Here(reader);
  ClickLink("ART:DATA/arts/pages.art");
  ASSERT_EQ(reader.ArticleStackDepth, 3);

  Key(SLOT_BACK);
  EXPECT_EQ(Fields(Here(reader)), Fields(plain));
  Click(BACK_BUTTON);
  EXPECT_EQ(Fields(Here(reader)), Fields(two));
  Click(AWAY, SDL_BUTTON_RIGHT);
  EXPECT_EQ(Fields(Here(reader)), Fields(index));
  EXPECT_EQ(reader.ArticleStackDepth, 0);
  EXPECT_EQ(FindLink("ART:DATA/arts/two.art").visited, 1);
  EXPECT_EQ(FindLink("ART:DATA/arts/links.art").visited, 0);
}

TEST_F(NavigationTest, StackHolds128PlacesThenOverflowsAndAnEmptyOneUnderflows) {
  UseSteppingClock(static_cast<uint32_t>(reader.Setup.ScrollFadeTime));  // one cross-fade step each
  for (int i = 0; i < ARTICLE_STACK_SIZE; ++i) {
    OpenArticle(reader, i % 2 == 0 ? "DATA/arts/plain.art" : "DATA/arts/two.art");
  }
  EXPECT_EQ(reader.ArticleStackDepth, ARTICLE_STACK_SIZE);
  EXPECT_EQ(reader.ArticleStack[ARTICLE_STACK_SIZE - 1].path, "DATA/arts/plain.art");
  EXPECT_EQ(FatalMessageOf([&] { OpenArticle(reader, "DATA/arts/pages.art"); }),
            "Article stack overflow !");
  EXPECT_EQ(reader.CurrentArticlePath, "DATA/arts/two.art");

  ArticleStackClear(reader);
  EXPECT_EQ(FatalMessageOf([&] { GoBack(reader); }), "Article stack underflow !");
}

TEST_F(NavigationTest, LinkKeysStepOverBothPiecesOfAWrappedLink) {
  const std::vector<Hotspot>& spots = reader.CurrentArticle->hotspots;
  ASSERT_EQ(spots[2].id, spots[3].id);  // "a link long enough to wrap"
  ASSERT_NE(spots[3].id, spots[4].id);
  for (const auto& [slot, focus] : {std::pair{SLOT_NEXT_LINK, 1}, {SLOT_NEXT_LINK, 2},
                                    {SLOT_NEXT_LINK, 4}, {SLOT_PREV_LINK, 3},
                                    {SLOT_PREV_LINK, 1}}) {
    Key(slot);
    Step();
    EXPECT_EQ(reader.PanelEngine.LinkFocus, focus);
  }
}
