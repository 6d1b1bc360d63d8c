// A watching reader over an issue folder: the fixture's members are plain
// files in its folder, and a file written under DATA/ takes a member's place.
#include <gtest/gtest.h>

#include <filesystem>

#include "articles/article_view.h"
#include "engine/issue_watch.h"
#include "support/reader_fixture.h"
#include "support/startup_files.h"

namespace {

class IssueWatchTest : public ReaderFixture {
 protected:
  void Save(const std::string& article) {
    std::filesystem::create_directories(dir.File("DATA/arts"));
    WriteFileText(dir.File("DATA/arts/index.art"), article);
    const int32_t reloads = reader.Watch.reloads;
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
  EXPECT_EQ(reader.Watch.fault, "DATA/pix/none.png: Pix loader error ![PNG]");
  Step();
  EXPECT_EQ(reader.BackBuffer.pixels[640 * 479], 0x600000u) << "the fault's band";

  // The checker's first problem replaces the reader's own line once it has run.
  const std::string checker = dir.File("checker");
  WriteFileText(checker, "#!/bin/sh\necho \"$2:1: warning: w\"\necho \"$2:2: $1ed\"\necho ok\n");
  std::filesystem::permissions(checker, std::filesystem::perms::owner_exec,
                               std::filesystem::perm_options::add);
  reader.Watch.checkerProgram = checker;
  Save("<#PICTURE:DATA/pix/other.png#>\n");
  for (int i = 0; i < 1000 && reader.Watch.fault.find(':') != dir.path().size(); ++i) {
    SDL_Delay(10);
    Step();
  }
  EXPECT_EQ(reader.Watch.fault, dir.path() + ":2: checked");

  Save(edited);
  EXPECT_EQ(reader.Watch.fault, "");
  EXPECT_EQ(ArticleGetScroll(*reader.CurrentArticle).scrollY, scrollY);
  Save("<#SCROLL:1:1:0:0#>\nshort\n");  // the place is gone: the last page
  EXPECT_EQ(ArticleGetScroll(*reader.CurrentArticle).scrollY, 0);
  WatchStop(reader);
}
