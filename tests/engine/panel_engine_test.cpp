// The panel view within one article: scroll styles and their effects, the
// wheel, panel switching, the picture view and long link targets.
#include <gtest/gtest.h>

#include <cstring>
#include <tuple>
#include <utility>

#include "articles/article_view.h"
#include "articles/link_targets.h"
#include "base/clock.h"
#include "base/setup_config.h"
#include "engine/article_stack.h"
#include "engine/engine.h"
#include "engine/mouse_wheel.h"
#include "engine/panel_engine.h"
#include "engine/panel_list.h"
#include "engine/panel_steps.h"
#include "engine/screen_transitions.h"
#include "engine/video.h"
#include "support/fatal_catch.h"
#include "support/reader_fixture.h"
#include "widgets/transitions.h"

namespace {

using PanelEngineTest = ReaderFixture;

constexpr int32_t LINE = 16;  // a fixed-font line

uint32_t FadeTime(const Reader& reader) {
  return static_cast<uint32_t>(reader.Setup.ScrollFadeTime);
}

uint32_t ScreenAt(const Reader& reader, int x, int y) {
  return reader.BackBuffer.pixels[y * SCREEN_WIDTH + x];
}

bool SameScreens(const Picture& a, const Picture& b) {
  return std::memcmp(a.pixels, b.pixels, size_t{4} * SCREEN_WIDTH * SCREEN_HEIGHT) == 0;
}

// The expected screen: the effect's renderer at t on the same pages.
void Render(const Reader& reader, int32_t effect, ArticleScroll from, float t, Picture& screen) {
  Panel& panel = *reader.CurrentPanel;
  Article& article = *reader.CurrentArticle;
  switch (effect) {
    case 2: PlasmaFrame(panel, t, screen, reader.PlasmaImage); break;
    case 4: CrossfadeFrame(panel, t, screen); break;
    case 5: PageTurnFrame(panel, t, screen, 0); break;
    default: SlideFrame(panel, article, SLIDE_FORWARD, from, ArticleGetScroll(article), t, screen);
  }
}

}  // namespace

// Each animation step reads the clock twice (the chrome, the elapsed time):
// a step of a quarter fade draws t = 0.01, then t = 0.5, and ends the loop.
// Off the page grid the slide dissolves.
TEST_F(PanelEngineTest, PageChangeDrawsTheStylesEffect) {
  constexpr float LAST_STEP = 0.5f;
  // the style, off the page grid, the style whose renderer is expected
  for (auto [style, offPage, effect] :
       {std::tuple{SCROLL_DISSOLVE, 0, 2}, {SCROLL_CROSSFADE, 0, 4}, {SCROLL_PAGE_TURN, 0, 5},
        {SCROLL_SLIDE, 0, 3}, {SCROLL_SLIDE, 1, 2}}) {
    UseSteppingClock(10);
    OpenArticle(reader, "DATA/arts/pages.art");
    Article& article = *reader.CurrentArticle;
    reader.PanelEngine.ScrollStyle = style;
    reader.PanelEngine.OffPage = offPage;
    const ArticleScroll old = ArticleGetScroll(article);
    RefreshView(reader, FOCUS_CLAMP, VIEW_CAPTURE_OLD);
    ArticlePageForward(article);
    RefreshView(reader, FOCUS_LAST, VIEW_CAPTURE_NEW);
    Picture expected = CopyOf(reader.BackBuffer);
    const Picture oldPage = CopyOf(reader.CurrentPanel->oldPage);

    UseSteppingClock(FadeTime(reader) / 4);
    const uint32_t start = Now();
    AnimateScroll(reader, old, 0.0f);
    ASSERT_EQ(Now() - start, FadeTime(reader) + FadeTime(reader) / 4);
    std::memcpy(reader.CurrentPanel->oldPage.pixels, oldPage.pixels,
                size_t{4} * oldPage.width * oldPage.height);  // the dissolve keeps what it copied
    Render(reader, effect, old, LAST_STEP, expected);
    PanelDrawChrome(*reader.CurrentPanel, &article, expected, 1, LAST_STEP, 0.0f,
                    ArticleScrollFraction(article));
    EXPECT_TRUE(SameScreens(reader.BackBuffer, expected)) << style << "," << offPage;
    PictureFree(expected);
  }
  // The style key goes round them all, from the slide the last case left.
  std::vector<int> styles;
  for (int i = 0; i < 5; ++i) {
    Key(SLOT_SCROLL_STYLE);
    styles.push_back(reader.PanelEngine.ScrollStyle);
  }
  EXPECT_EQ(styles, (std::vector<int>{SCROLL_PAGE_TURN, SCROLL_INSTANT, SCROLL_DISSOLVE,
                                      SCROLL_CROSSFADE, SCROLL_SLIDE}));
}

// A jump to the first or last page leaves the page grid, so that the slide
// style dissolves it; a page step slides.
TEST_F(PanelEngineTest, JumpsToTheEndsAnimateOffThePageGrid) {
  static int32_t offPageSeen;
  static uint32_t ticks;
  static const PanelEngineState* engine;
  engine = &reader.PanelEngine;
  OpenArticle(reader, "DATA/arts/pages.art");
  reader.PanelEngine.ScrollStyle = SCROLL_SLIDE;
  SetEngineClock([] {
    offPageSeen |= engine->OffPage;
    return ticks += 50;
  });
  for (auto [action, offPage] : {std::pair{ACTION_LAST_PAGE, 1}, {ACTION_PAGE_UP, 0}}) {
    offPageSeen = 0;
    reader.PanelEngine.PendingAction = action;
    Step();
    EXPECT_EQ(offPageSeen, offPage) << action;
  }
}

// The wheel is read in one frame and acted on at the start of the next.
TEST_F(PanelEngineTest, WheelStepsLinesWithLineScrollingAndPagesWithout) {
  const auto wheel = [this](int32_t count) {
    MouseWheelSet(count);
    Step();
    Step();
  };
  wheel(-1);
  wheel(-1);
  EXPECT_EQ(reader.CurrentArticle->scrollY, 2 * LINE);
  EXPECT_EQ(reader.PanelEngine.OffPage, 1);
  wheel(1);
  EXPECT_EQ(reader.CurrentArticle->scrollY, LINE);

  OpenArticle(reader, "DATA/arts/pages.art");
  const uint32_t before = Now();
  wheel(-1);
  EXPECT_GE(Now() - before, FadeTime(reader));
  EXPECT_EQ(reader.CurrentArticle->scrollY, reader.CurrentArticle->pageStarts[1]);
  wheel(1);
  EXPECT_EQ(reader.CurrentArticle->scrollY, 0);
}

// The key wraps; PAN: links take their number modulo the panel count. Column 1
// lies left of the text and below the dissolve's first threshold.
TEST_F(PanelEngineTest, NextPanelKeyAndPanLinksSwitchAndTheNextFrameDissolves) {
  OpenArticle(reader, "DATA/arts/links.art");
  int32_t shown = 0;
  const std::pair<const char*, int32_t> steps[] = {{"", 1},      {"", 2},       {"", 0},
                                                   {"PAN:5", 2}, {"PAN:-3", 0}, {"PAN:-4", 1}};
  for (const auto& [target, panel] : steps) {
    *target != 0 ? ClickLink(target) : Key(SLOT_NEXT_PANEL);
    EXPECT_EQ(reader.PanelEngine.CurrentPanelIndex, panel) << target;
    EXPECT_EQ(reader.PanelEngine.PanelSwitchPending, 1) << target;
    EXPECT_EQ(ScreenAt(reader, 1, 300), PANEL_COLOURS[shown]);
    const uint32_t before = Now();
    Step();
    EXPECT_EQ(reader.PanelEngine.PanelSwitchPending, 0);
    EXPECT_GE(Now() - before, FadeTime(reader));
    EXPECT_EQ(ScreenAt(reader, 1, 300), PANEL_COLOURS[shown = panel]);
  }
  ClickLink("PAN:1");  // the current panel
  EXPECT_EQ(reader.PanelEngine.PanelSwitchPending, 0);
  for (const char* bad : {"PAN:abc", "PAN:4294967297"}) {  // no wrap to panel 1
    EXPECT_EQ(FatalMessageOf([&] { ClickLink(bad); }), "Invalid pVal value !") << bad;
  }
}

TEST_F(PanelEngineTest, PictureViewFadesInAndEitherWayBackLeavesIt) {
  OpenArticle(reader, "DATA/arts/links.art");
  for (bool byKey : {false, true}) {
    UseStillClock(5000);
    ClickLink("PIX:DATA/pix/pic.png");
    ASSERT_EQ(reader.PanelEngine.PictureView, 1);
    const Picture saved = CopyOf(reader.SavedScreen);
    Step();  // the fade starts
    EXPECT_TRUE(SameScreens(reader.BackBuffer, saved));
    UseStillClock(5000 + FadeTime(reader) / 2);
    Step();
    const uint32_t mid = ScreenAt(reader, 10, 10);  // half-way: the picture has no blue
    EXPECT_EQ(mid & 0xFF, (saved.pixels[10 * SCREEN_WIDTH + 10] & 0xFF) / 2) << std::hex << mid;
    UseStillClock(5000 + FadeTime(reader));
    Step();
    EXPECT_EQ(ScreenAt(reader, 0, 0), PICTURE_COLOUR);
    EXPECT_EQ(ScreenAt(reader, 10, 10), PICTURE_COLOUR);
    EXPECT_EQ(ScreenAt(reader, 300, 300), 0u);

    byKey ? Key(SLOT_BACK) : Click(AWAY, SDL_BUTTON_RIGHT);
    EXPECT_EQ(reader.PanelEngine.PictureView, 0);
    EXPECT_EQ(reader.PanelEngine.PanelSwitchPending, 1);
    EXPECT_EQ(reader.PanelEngine.ViewedPicture.pixels, nullptr);
    EXPECT_EQ(reader.ArticleStackDepth, 1);  // the back key is the picture view's
    UseSteppingClock(10);
    Step();
    EXPECT_EQ(reader.PanelEngine.PanelSwitchPending, 0);
  }
}

// A long target is cut to 4095 characters. Within a frame the dissolve runs
// before the links, so a picture link's wait for it is seen only by calling
// the link step directly; a missing picture is fatal.
TEST_F(PanelEngineTest, LinkTargetsAreCutPicturesWaitAndMissingOnesAreFatal) {
  OpenArticle(reader, "DATA/arts/links.art");
  MoveTo(LinkPoint(LONG_TARGET_PREFIX));
  Step();
  ASSERT_NE(reader.PanelEngine.Link, nullptr);
  EXPECT_EQ(reader.PanelEngine.Link->argument, std::string(4091, 'x'));
  const LinkEntry picture = DecodeLinkTarget("PIX:DATA/pix/pic.png");
  reader.PanelEngine.Link = &picture;
  reader.PanelEngine.PanelSwitchPending = 1;
  reader.Mouse.buttons = MOUSE_LEFT;
  OtherLinks(reader);
  EXPECT_EQ(reader.PanelEngine.PictureView, 0);
  Step();
  EXPECT_EQ(FatalMessageOf([&] { ClickLink("PIX:DATA/pix/missing.png"); }),
            "Pix loader error ![PNG]");
}
