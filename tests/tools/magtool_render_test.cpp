#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "engine/present.h"
#include "resources/archive.h"
#include "pictures/image_loader.h"
#include "support/child_process.h"
#include "support/scratch_dir.h"

namespace {

constexpr const char* INDEX = "DATA/arts/index.art";

uint32_t At(const Picture& picture, int32_t x, int32_t y) {
  return picture.pixels[y * picture.width + x];
}

uint32_t Widened565(uint32_t p) {
  const uint32_t s = ToRgb565(p);
  const uint32_t r = (s >> 11) << 3, g = ((s >> 5) & 0x3F) << 2, b = (s & 0x1F) << 3;
  return ((r | r >> 5) << 16) | ((g | g >> 6) << 8) | (b | b >> 5);
}

// The demo archive serves the panel picture; any other name is read from the
// scratch folder, which takes the renders.
class MagtoolRender : public ::testing::Test {
 protected:
  void SetUp() override {
    ResourceUsePlaces({DEMO_ARCHIVE, dir.path()});
    ImageLoader("DATA/panels/classic/panel.png", panel);
  }
  void TearDown() override {
    ResourceCloseAll();
    ResourceUsePlaces({});
  }

  // arguments: the output's name in the scratch folder, then the options.
  ChildResult Render(const std::string& arguments) {
    return RunMagtool(std::string("render ") + DEMO_ARCHIVE + " " + INDEX + " " +
                      dir.File(arguments));
  }

  Picture Load(const char* name) {
    Picture picture;
    ImageLoader(name, picture);
    return picture;
  }

  ScratchDir dir{nullptr, ScratchDir::STAY};
  Picture panel;
};

}  // namespace

// The heading's row on the first page differs from the panel and from a later
// page; 16 bits show the same screen through RGB565.
TEST_F(MagtoolRender, DrawsThePanelAndTheFirstPageInEitherDepth) {
  for (const char* arguments : {"out.png", "last.png --page 1000", "deep16.png --bpp 16"}) {
    ASSERT_EQ(Render(arguments).status, 0) << arguments;
  }
  Picture out = Load("out.png"), last = Load("last.png"), deep = Load("deep16.png");
  ASSERT_EQ(std::pair(out.width, out.height), std::pair(640, 480));
  EXPECT_EQ(At(out, 2, 2), At(panel, 2, 2));
  int32_t inked = 0, changed = 0;
  for (int32_t x = 30; x < 470; ++x) {
    inked += At(out, x, 85) != At(panel, x, 85);
    changed += At(out, x, 85) != At(last, x, 85);
  }
  EXPECT_GT(inked, 40);
  EXPECT_GT(changed, 40);
  // The buttons at rest: the animated EXIT shows none of its frames.
  for (int32_t x = 14; x < 66; ++x) ASSERT_EQ(At(out, x, 430), At(panel, x, 430)) << x;
  for (int32_t i = 0; i < out.width * out.height; ++i) {
    ASSERT_EQ(deep.pixels[i], Widened565(out.pixels[i])) << "pixel " << i;
  }
  // The outline: the text area's edge at the panel's text x, the justification limit.
  ASSERT_EQ(Render("outline.png --outline").status, 0);
  const Picture outline = Load("outline.png");
  EXPECT_EQ(At(outline, 28, 200) & 0xFFFFFF, 0x00FFFFu);
  EXPECT_GT(std::count_if(outline.pixels + 200 * 640, outline.pixels + 201 * 640,
                          [](uint32_t p) { return (p & 0xFFFFFF) == 0xFF00FF; }), 0);
  EXPECT_EQ(Render("none.png --panel 9").status, 1);  // no such panel
  EXPECT_FALSE(FileExists(dir.File("none.png")));
}

// An unpacked issue renders as its archive does. The sheet holds the 35
// pages of the demo in 8 columns of labelled quarter-size frames, no two
// alike, and maps each page's links as walked.
TEST_F(MagtoolRender, TakesAFolderAndDrawsEveryPageOnASheet) {
  const std::string issue = dir.File("issue");
  ASSERT_EQ(RunMagtool(std::string("extract ") + DEMO_ARCHIVE + " " + issue).status, 0);
  // a bare name, as diskmag --start takes it
  ASSERT_EQ(RunMagtool("render " + issue + " index.art " + dir.File("dir.png")).status, 0);
  // A title wider than the title box shows from its start, not out of sight.
  ASSERT_EQ(RunMagtool("render " + issue + " gallery.art " + dir.File("wide.png")).status, 0);
  const Picture wide = Load("wide.png");
  EXPECT_GT(std::count_if(wide.pixels + 26 * 640 + 262, wide.pixels + 26 * 640 + 330,
                          [&](uint32_t p) { return p != At(wide, 263, 19); }), 10);
  // A fault is named where it struck.
  WriteFileText(issue + "/DATA/arts/story.art", "x\n<#SIZE:big:12#>\n");
  const ChildResult broken = RunMagtool("render " + issue + " story.art " + dir.File("no.png"));
  EXPECT_EQ(broken.out, "magtool: DATA/arts/story.art:2: Error inside token ! (<#SIZE#>: \"big\" "
                        "is not a number)\n");
  ASSERT_EQ(Render("out.png").status, 0);
  Picture fromDir = Load("dir.png"), out = Load("out.png");
  EXPECT_TRUE(std::equal(out.pixels, out.pixels + 640 * 480, fromDir.pixels));
  const ChildResult sheet = RunMagtool(std::string("sheet ") + DEMO_ARCHIVE + " " +
                                       dir.File("sheet.png"));
  ASSERT_EQ(sheet.status, 0) << sheet.out;
  for (const char* line : {"DATA/arts/index.art p.1 -> DATA/arts/help.art\n"
                           "DATA/arts/index.art p.1 -> DATA/arts/making.art\n",
                           "DATA/arts/gallery.art p.3 -> PIX:DATA/pictures/gallery/copper.bmp\n",
                           "DATA/arts/story.art p.3 -> DATA/arts/mmenu.art\n"}) {
    EXPECT_NE(sheet.out.find(line), std::string::npos) << line;
  }
  Picture contact = Load("sheet.png");
  ASSERT_EQ(std::pair(contact.width, contact.height), std::pair(8 + 8 * 168, 8 + 5 * 144));
  std::set<std::vector<uint32_t>> thumbnails;
  for (int32_t cell = 0; cell < 35; ++cell) {
    const int32_t x = 8 + cell % 8 * 168, y = 8 + cell / 8 * 144;
    std::vector<uint32_t> pixels;
    for (int32_t row = 0; row < 136; ++row) {
      const uint32_t* from = &contact.pixels[(y + row) * contact.width + x];
      pixels.insert(pixels.end(), from, from + 160);
    }
    EXPECT_GT(std::count(pixels.begin() + 120 * 160, pixels.end(), 0xE0E0E0u), 40) << cell;
    thumbnails.insert(std::vector(pixels.begin(), pixels.begin() + 120 * 160));
  }
  EXPECT_EQ(thumbnails.size(), 35u);
  // Larger thumbnails on request, each a box average of the screen.
  const std::string large = std::string("sheet ") + DEMO_ARCHIVE + " " + dir.File("large.png");
  ASSERT_EQ(RunMagtool(large + " --size 320x240").status, 0);
  EXPECT_EQ(Load("large.png").width, 8 + 8 * 328);
  EXPECT_EQ(RunMagtool(large + " --size 641x480").status, 2);
}
