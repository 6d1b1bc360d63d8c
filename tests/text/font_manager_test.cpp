#include "text/font_manager.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "support/fatal_catch.h"
#include "support/issue_dir.h"
#include "text/font_internal.h"

namespace {

TEST(FontMetrics, MeasureFitAndHitAddTheSpacings) {
  FontManager manager{};
  GlyphTable t{};
  t.height = 10, t.sizeY = 12, t.advance['a'] = 5, t.advance[' '] = 3;
  t.rise['T'] = 3, t.rise['a'] = 9;  // only the sample's rises count
  EXPECT_EQ(FontMeasure(manager, "aa a", &t).width, 18);
  EXPECT_EQ(FontMeasure(manager, "aa a", &t).height, 13);
  manager.charSpacing = 0.25f, manager.wordSpacing = 1.5f;  // 20.5 in all
  EXPECT_EQ(FontMeasure(manager, "aa a", &t).width, 21);
  EXPECT_EQ(FontFit(manager, "aa a", &t, 0), 1);
  EXPECT_EQ(FontFit(manager, "aa a", &t, 11), 2);  // 10.5 rounds up
  EXPECT_EQ(FontFit(manager, "aa a", &t, 99), 4);
  EXPECT_EQ(FontFit(manager, "", &t, 5), -1);
  EXPECT_EQ(FontHit(manager, 31, 38, "aa a", 10, 50, &t), 1);  // far corner, inclusive
  EXPECT_EQ(FontHit(manager, 32, 50, "aa a", 10, 50, &t), 0);
  EXPECT_EQ(FontHit(manager, 10, 37, "aa a", 10, 50, &t), 0);
}

class FontCacheTest : public IssueDirTest {
 protected:
  void TearDown() override { FontCacheFree(cache); FontManagerDestroy(manager); }
  void AddArial() {
    WriteFileBytes("arial.ttf", ReadFileBytes(TEST_FONT_DIR "/DejaVuSans.ttf"));
    FontManagerAddFont(*manager, FALLBACK_FONT);
  }
  GlyphTable* Get(const char* name, int32_t sizeY, int32_t underline = 0) {
    return FontCacheGet(*manager, cache, name, 8, sizeY, 0, 0, underline);
  }

  std::unique_ptr<FontManager> manager = FontManagerCreate();
  FontCache cache;
};

TEST_F(FontCacheTest, SameFaceInAnyCaseAndUnderlineCopiesShareTheirPlanes) {
  AddArial();
  GlyphTable* plain = Get("DATA/fonts/arial.ttf", 16);
  EXPECT_EQ(Get("data/FONTS/Arial.TTF", 16), plain);
  EXPECT_NE(Get("DATA/fonts/arial.ttf", 20), plain);
  GlyphTable* underlined = Get("DATA/fonts/arial.ttf", 16, 1);
  EXPECT_EQ(underlined->solid, plain->solid);
  EXPECT_EQ(underlined->underline + cache.front()->sharesPlanes, 2);
  EXPECT_EQ(Get("DATA/fonts/arial.ttf", 16, 1), underlined);
  EXPECT_EQ(Get("DATA/fonts/arial.ttf", 16, 0), plain);
}

TEST_F(FontCacheTest, MissingFacesFallBackToArial) {
  EXPECT_EQ(FatalMessageOf([&] { Get("DATA/fonts/arial.ttf", 16); }),
            "\n Glyph cannot be preloaded !");
  AddArial();
  GlyphTable* fallback = Get("DATA/fonts/none.ttf", 16);
  EXPECT_EQ(cache.front()->name, FALLBACK_FONT);
  EXPECT_EQ(Get("DATA/fonts/none.ttf", 16), fallback);  // not rendered again
}

// Kept per face, size and style; a full store leaves new tables to their callers.
TEST_F(FontCacheTest, RenderedTablesAreSharedByStyleOnly) {
  AddArial();
  const auto open = [&](int32_t sizeY, int32_t bold, int32_t italic) {
    return FontOpen(*manager, FALLBACK_FONT, 8, sizeY, bold, italic, 0);
  };
  const auto plain = open(16, 0, 0);
  EXPECT_EQ(open(16, 0, 0)->solid, plain->solid);
  EXPECT_TRUE(open(16, 1, 0)->solid != plain->solid && open(16, 0, 1)->solid != plain->solid);
  manager->renderedBytes = RENDERED_BYTES_MAX;
  const auto owned = open(17, 0, 0);
  EXPECT_TRUE(owned->solidBlock != nullptr && open(17, 0, 0)->solid != owned->solid);
}

// The mask's rules apply in order, later ones winning.
TEST_F(FontCacheTest, MaskSuffix) {
  EXPECT_EQ(MskPalette(0x1C00), (GrayPalette{0, 0, 3, 3, 3}));
  EXPECT_EQ(MskPalette(0x040201), (GrayPalette{1, 3, 2, 0, 0}));
  EXPECT_EQ(MskPalette(0xFF1F1F), (GrayPalette{2, 2, 2, 2, 2}));
  AddArial();
  const auto edges = [&](const char* name) {
    const auto t = FontOpen(*manager, name, 8, 16, 0, 0, 0);
    return t ? std::count_if(t->edge, t->edge + t->stride * t->height, [](uint8_t b) { return b; })
             : -1;
  };
  EXPECT_GT(edges("DATA/fonts/arial.ttf"), 0);
  EXPECT_EQ(edges("DATA/fonts/arial.ttf:MSK:1C00"), 0);  // solid levels only
  EXPECT_EQ(edges("DATA/fonts/arial.ttf:MSK:"), -1);     // no number: looked up whole
  EXPECT_EQ(FatalMessageOf([&] { edges("DATA/fonts/arial.ttf:MSK:zz"); }), "Bad vals !");
}

}  // namespace
