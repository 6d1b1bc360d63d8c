// A watching reader over an issue folder: the fixture's members are plain
// files in its folder, and a file written under DATA/ takes a member's place.
// On their own: the band's line breaks, and the kernel's change notice, which
// sees every way of saving.
#include <gtest/gtest.h>

#include <filesystem>
#include <utility>

#include "articles/article_view.h"
#include "platform/change_notice.h"
#include "engine/issue_watch.h"
#include "engine/watch_warnings.h"
#include "support/reader_fixture.h"
#include "support/scratch_dir.h"
#include "support/sdl_events.h"
#include "support/startup_files.h"

namespace fs = std::filesystem;

namespace {

class IssueWatchTest : public ReaderFixture {
 protected:
  void Save(const std::string& article) {
    std::filesystem::create_directories(dir.File("DATA/arts"));
    WriteFileText(dir.File("DATA/arts/index.art"), article);
    const int32_t reloads = reader.Watch.reloads;
    const uint64_t seen = reader.Watch.seenStamp;
    for (int i = 0; i < 200 && reader.Watch.seenStamp == seen; ++i) Step();
    EXPECT_EQ(reader.Watch.reloads, reloads) << "loaded before it held still for one look";
    for (int i = 0; i < 200 && reader.Watch.reloads == reloads; ++i) Step();
    EXPECT_EQ(reader.Watch.reloads, reloads + 1) << "not loaded again";
  }
};

}  // namespace

TEST_F(IssueWatchTest, SavesShowAtTheSamePlaceAndAFaultWaitsForTheNextGoodSave) {
  StopEngine(reader);
  places.issueFolder = dir.path();
  StartEngine(reader, places);
  WatchStart(reader);
  std::string why;
  ASSERT_EQ(reader.Watch.notice->Stamp(why), 0u) << "not the kernel's notice, which counts from 0";
  Key(SLOT_PAGE_DOWN);
  Step();
  const int32_t scrollY = ArticleGetScroll(*reader.CurrentArticle).scrollY;
  ASSERT_GT(scrollY, 0);
  const std::string edited = "<#SCROLL:1:1:0:0#>\n" + std::string(200, 'e') + "\n" +
                             ReadFileText(dir.File("index.art"));
  Save(edited);
  EXPECT_EQ(reader.Watch.fault, "");
  EXPECT_EQ(ArticleGetScroll(*reader.CurrentArticle).scrollY, scrollY);

  reader.Watch.checkerProgram.clear();
  Save("<#PICTURE:DATA/pix/none.png#>\n");
  EXPECT_EQ(reader.Watch.fault,
            "DATA/arts/index.art:1: Pix loader error ![PNG] (DATA/pix/none.png: not in the issue)");
  Step();
  EXPECT_EQ(reader.BackBuffer.pixels[640 * 479], 0x600000u) << "the fault's band";

  // The checker's first problem replaces the reader's own line once it has run.
  const std::string checker = dir.File("checker");
  WriteFileText(checker,
                "#!/bin/sh\necho \"$2:1: warning: w\"\necho \"$2:2: $1ed\"\n"
                "echo 'DATA/arts/index.art:3: warning: one'\necho 'data/arts/INDEX.art: warning: two'\n"
                "echo 'DATA/arts/other.art:1: warning: elsewhere'\necho ok\n");
  std::filesystem::permissions(checker, std::filesystem::perms::owner_exec,
                               std::filesystem::perm_options::add);
  reader.Watch.checkerProgram = checker;
  Save("<#PICTURE:DATA/pix/other.png#>\n");
  for (int i = 0; i < 1000 && reader.Watch.fault.find(':') != dir.path().size(); ++i) {
    SDL_Delay(10);
    Step();
  }
  EXPECT_EQ(reader.Watch.fault, dir.path() + ":2: checked");

  reader.Watch.warnings.lines.clear();  // what magtool's own first run may have reported
  Save(edited);
  EXPECT_EQ(reader.Watch.fault, "");
  EXPECT_EQ(ArticleGetScroll(*reader.CurrentArticle).scrollY, scrollY);
  // After a good load the checker looks again: the article's own warnings on
  // a yellow band, one at a time, F12 for the next; none once it is gone.
  for (int i = 0; i < 3000 && reader.Watch.warnings.lines.size() < 4; ++i) {
    SDL_Delay(10);
    Step();
  }
  ASSERT_EQ(reader.Watch.warnings.lines.size(), 4u) << "the checker's report";
  Step();
  EXPECT_EQ(reader.Watch.warnings.shown, 0u);
  const uint32_t* screen = static_cast<uint32_t*>(reader.Video.ScreenSurface->pixels);
  EXPECT_EQ(screen[640 * 479], 0xE8C020u) << "the warning's band, over the frame";
  EXPECT_NE(reader.BackBuffer.pixels[640 * 479], 0xE8C020u) << "not in it";
  PushEvent(KeyEvent(SDL_KEYDOWN, SDLK_F12));
  Step();
  EXPECT_EQ(reader.Watch.warnings.shown, 1u);
  PushEvent(KeyEvent(SDL_KEYDOWN, SDLK_F12));
  Step();
  EXPECT_EQ(reader.Watch.warnings.shown, 0u) << "two of the article's: round again";
  reader.Watch.checkerProgram.clear();
  reader.Watch.warnings.lines.clear();
  Step();
  EXPECT_EQ(screen[640 * 479], reader.BackBuffer.pixels[640 * 479]) << "the page under it again";
  reader.Watch.notice = PollingChangeNotice();  // as where the kernel cannot tell
  Save("<#SCROLL:1:1:0:0#>\nshort\n");  // the place is gone: the last page
  EXPECT_EQ(ArticleGetScroll(*reader.CurrentArticle).scrollY, 0);
  WatchStop(reader);
}

TEST(WatchWarningsTest, BandLinesBreakAfterASpaceAndLoseNothing) {
  std::string text;
  for (int i = 0; i < 40; ++i) text += "word" + std::to_string(i) + " ";
  std::string joined;
  for (const std::string& line : BandLines(text)) {
    EXPECT_LE(line.size(), 78u);
    EXPECT_EQ(line.back(), ' ') << line;
    joined += line;
  }
  EXPECT_EQ(joined, text);
  EXPECT_EQ(BandLines(std::string(700, 'x')).size(), 8u) << "cut where there is no space";
}

TEST(ChangeNoticeTest, TheKernelSeesEveryWayOfSavingAndPassesOverTheRest) {
  ScratchDir dir(nullptr, ScratchDir::STAY);
  fs::create_directories(dir.File("DATA/arts"));
  fs::create_directories(dir.File("elsewhere"));
  WriteFileText(dir.File("elsewhere/linked.art"), "l");
  fs::create_symlink(dir.File("elsewhere/linked.art"), dir.File("DATA/arts/linked.art"));
  std::string why;
  const std::unique_ptr<ChangeNotice> notice = KernelChangeNotice({"", "", dir.path()}, why);
  ASSERT_NE(notice, nullptr) << why;
  uint64_t last = notice->Stamp(why).value();
  const auto changed = [&] { return std::exchange(last, notice->Stamp(why).value()) != last; };

  WriteFileText(dir.File("DATA/arts/.a.art.swp"), "swap");
  WriteFileText(dir.File("DATA/arts/a.art~"), "backup");
  WriteFileText(dir.File("notes.txt"), "beside DATA");
  EXPECT_FALSE(changed()) << "names passed over";
  WriteFileText(dir.File("DATA/arts/a.art"), "made");
  EXPECT_TRUE(changed()) << "made";
  WriteFileText(dir.File("DATA/arts/a.art"), "truncated and written");
  EXPECT_TRUE(changed()) << "truncated";
  WriteFileText(dir.File("DATA/arts/.a.art.new"), "renamed");
  fs::rename(dir.File("DATA/arts/.a.art.new"), dir.File("DATA/arts/a.art"));
  EXPECT_TRUE(changed()) << "renamed over";
  WriteFileText(dir.File("elsewhere/linked.art"), "through the link");
  EXPECT_TRUE(changed()) << "a linked file";
  fs::create_directories(dir.File("DATA/pix/new"));
  EXPECT_TRUE(changed());
  WriteFileText(dir.File("DATA/pix/new/a.txt"), "in a folder made since");
  EXPECT_TRUE(changed()) << "a new folder";
  fs::rename(dir.File("DATA/pix"), dir.File("DATA/pictures"));
  EXPECT_TRUE(changed());
  fs::create_directories(dir.File("DATA/pictures/new/deeper"));
  WriteFileText(dir.File("DATA/pictures/new/deeper/a.txt"), "a");
  EXPECT_TRUE(changed());
  WriteFileText(dir.File("DATA/pictures/new/deeper/a.txt"), "in a moved folder");
  EXPECT_TRUE(changed()) << "a moved folder";
  fs::remove(dir.File("DATA/arts/a.art"));
  EXPECT_TRUE(changed()) << "deleted";

  // An archive: its name in its folder, and the file it names.
  WriteFileText(dir.File("data.rs"), "packed");
  const std::unique_ptr<ChangeNotice> packed = KernelChangeNotice({dir.File("data.rs")}, why);
  last = packed->Stamp(why).value();
  const auto repacked = [&] { return std::exchange(last, packed->Stamp(why).value()) != last; };
  WriteFileText(dir.File("tmp_1.art"), "the reader's own file beside it");
  EXPECT_FALSE(repacked());
  WriteFileText(dir.File("data.rs.partial"), "packed again");
  fs::rename(dir.File("data.rs.partial"), dir.File("data.rs"));
  EXPECT_TRUE(repacked()) << "renamed over";
  WriteFileText(dir.File("data.rs"), "written in place");
  EXPECT_TRUE(repacked()) << "written in place";
}
