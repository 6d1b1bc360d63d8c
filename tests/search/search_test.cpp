// The search box driven as the engine drives it: key presses reach it as the
// frame's presses and through SDL's key state while held, Enter writes a
// result article, and that article must load.
#include "search/search.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "articles/article_lifecycle.h"
#include "engine/reader_state.h"
#include "resources/archive.h"
#include "resources/resource_file.h"
#include "search/search_keys.h"
#include "support/fatal_catch.h"
#include "support/scratch_dir.h"
#include "support/startup_files.h"

namespace {

class SearchTest : public ::testing::Test {
 protected:
  void SetUp() override {
    WriteStartupFiles();
    SetupDefaults(reader.Setup);
    reader.Setup.FullScreen = 0;
    StartEngine(reader);
  }
  void TearDown() override { StopEngine(reader); }

  // SDL 1.2 updates its key state only from the system's own events (a pushed
  // event leaves it as it is), so the test sets the state the box reads.
  static void KeyEvent(Uint8 type, SDLKey key) {
    SDL_GetKeyState(nullptr)[key] = type == SDL_KEYDOWN ? 1 : 0;
  }

  void Frame(const std::vector<KeyPress>& presses = {}) {
    SearchFrame(reader.Search.get(), resultPath, openFlag, presses, reader.BackBuffer,
                reader.EngineFixedFont.get());
  }

  // Frames with the key down, the first with its press, then the key up.
  void Press(SDLKey key, bool shift = false, int frames = 1) {
    KeyEvent(SDL_KEYDOWN, key);
    Frame({{key, shift}});
    for (int i = 1; i < frames; ++i) Frame();
    KeyEvent(SDL_KEYUP, key);
  }

  void Open() { openFlag = 1, Frame(); }

  // Each character by the key that types it, with Shift where it needs it.
  void Type(const std::string& text) {
    for (char c : text) {
      int i = 0;
      while (i < SEARCH_KEY_COUNT && SearchKeyAt(i) != c && ShiftedCharacter(char(SearchKeyAt(i))) != c) ++i;
      ASSERT_LT(i, SEARCH_KEY_COUNT) << "no key types " << c;
      Press(SearchKeyAt(i), SearchKeyAt(i) != c);
    }
  }

  // Enter: the box closes and the result page, as the reader opens it, is
  // returned.
  std::string Confirm() {
    Press(SDLK_RETURN);
    EXPECT_EQ(openFlag, 0);
    return resultPath.empty() ? "" : ReadFileText(ResourceFile(resultPath).name());
  }

  std::string Search(const std::string& query) {
    Open();
    Type(query);
    return Confirm();
  }

  ScratchDir dir;
  std::unique_ptr<Reader> readerRecord = std::make_unique<Reader>();
  Reader& reader = *readerRecord;
  std::string resultPath;
  int32_t openFlag = 0;
};

// Three articles listed a, b, c: the page lists them newest first.
void WriteThreeArticles() {
  WriteFileText("a.art", "<#TITLE#>Hot \\FF0000 NEWS<#END#>\n<#AUTHOR#>Ann<#END#> text\n"
                                "<#KEYWORDS#>NewsLetter<#END#><#TITLE#>Later<#END#>\n");
  WriteFileText("b.art", "x <#AUTHOR#>Newsom<#END#><#TITLE#>Rain\\\\Snow<#END#>\n");
  WriteFileText("c.art", "No tags here.\n");
  WriteFileText("search.lst", "DATA/arts/a.art\nDATA/arts/b.art\r\nDATA/arts/c.art\tx\n");
}

std::string FoundLine(const char* name, int score) {
  const std::string path = std::string("DATA/arts/") + name;
  return "\nFound: <#LINK:ART:" + path + "#>" + path + "<#ENDL#> with score " +
         std::to_string(score) + " ";
}

std::string Page(const std::string& query, const std::string& found, int total) {
  return "QIVSearch engine generated file ! <#HLINE#> \nYou searched for: \n<#COLOR:FF00#>" +
         query + "\n<#COLOR:FFFFFF#>Results of this search are below (from 3 files):\n\n" +
         found + "\n\nFound total " + std::to_string(total) + " results!\nThats all ...\n\n";
}

TEST_F(SearchTest, ScoresTitleAuthorAndKeywordsNewestFirst) {
  WriteThreeArticles();
  reader.Search = SearchInit();
  EXPECT_EQ(Search("news"), Page("news", FoundLine("b.art", 1) + FoundLine("a.art", 2), 2));
  EXPECT_EQ(Search("t:hot news"), Page("t:hot news", FoundLine("a.art", 1), 1));
  EXPECT_EQ(Search("t:later"), Page("t:later", "", 0));  // only the first TITLE counts
  EXPECT_EQ(Search("t:n\\s"), Page("t:n\\s", FoundLine("b.art", 1), 1));
  EXPECT_EQ(Search("k:letter"), Page("k:letter", FoundLine("a.art", 1), 1));
  EXPECT_EQ(Search("a:news"), Page("a:news", FoundLine("b.art", 1), 1));
  EXPECT_EQ(Search("a:"), Page("a:", "", 0));
  EXPECT_EQ(resultPath, "DATA/search/search_6.art");
}

TEST_F(SearchTest, KeysTypeOnceWithShiftAndBackspace) {
  Open();
  Press(SDLK_a, true);
  Press(static_cast<SDLKey>('5'), true);
  Press(static_cast<SDLKey>('%'));  // not in the table
  Press(SDLK_SLASH, true);
  Press(SDLK_b, false, 2);  // held: typed once
  Type("xy");
  Press(SDLK_BACKSPACE, false, 2);  // held: one a frame
  EXPECT_NE(Confirm().find("FF00#>a%?b\n"), std::string::npos);

  // Keys tapped between two frames, as fast typing and remote keyboards send
  // them, all count, in their order.
  Open();
  Frame({{SDLK_b, false}, {SDLK_a, false}, {SDLK_BACKSPACE, false}, {SDLK_c, false}});
  Frame({{SDLK_RETURN, false}, {SDLK_x, false}});
  EXPECT_EQ(openFlag, 0);
  EXPECT_NE(ReadFileText(ResourceFile(resultPath).name()).find("FF00#>bc\n"), std::string::npos);
}

TEST_F(SearchTest, EachSearchWritesTheNextPageAndReopensEmptyForSixtyCharacters) {
  Search("one");
  EXPECT_NE(Search("two").find("FF00#>two\n"), std::string::npos);
  EXPECT_EQ(resultPath, "DATA/search/search_1.art");
  EXPECT_TRUE(FileExists("search_0.art"));
  const std::string sixty(60, 'q');  // the query stops at sixty characters
  EXPECT_NE(Search(sixty + "z").find("FF00#>" + sixty + "\n"), std::string::npos);
}

TEST_F(SearchTest, BadFilesAreFatalWithTheirMessage) {
  struct Case {
    const char* file;
    const char* contents;  // null: the file is removed
    const char* message;
    const char* place;  // where the reader names it: the article's line, not the list
  };
  const Case cases[] = {
      {"search.txt", nullptr, "Cannot open search config file !", ""},
      {"search.txt", "1 2 x 4", "Error while scaning search config file !", ""},
      {"search.lst", nullptr, "Cannot open search list !", ""},
      {"search.lst", "DATA/arts/index.art\nDATA/arts/gone.art\n", "Cannot open artFile !",
       "DATA/configs/search.lst:2: Cannot open artFile ! (DATA/arts/gone.art: not in the issue)"},
      {"search.lst", "DATA/arts/a#>.art\n", "Cannot open artFile !", ""},  // breaks a link
      {"index.art", "x\n<#AUTHOR#>Ann\n<#END#>\n", "Broken !", "DATA/arts/index.art:2: Broken !"},
      {"index.art", "<#TITLE#>T<#END#><#KEYWORDS#>a\r<#END#>", "Broken !", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.contents ? c.contents : c.file);
    WriteFileText("search.txt", "0 0 4 12\n");
    WriteFileText("search.lst", "DATA/arts/index.art\n");
    WriteFileText("index.art", "<#TITLE#>Start<#END#>\n");
    WriteFileBytes("a#>.art", {});
    std::filesystem::remove(c.file);
    if (c.contents != nullptr) WriteFileText(c.file, c.contents);
    EXPECT_EQ(FatalMessageOf([] { SearchInit(); }), c.message);
    if (*c.place != '\0') {
      EXPECT_EQ(FatalPlaceOf([] { SearchInit(); }), c.place);
    }
  }
}

TEST_F(SearchTest, TheBoxIsDrawnWhereTheConfigPlacesIt) {
  WriteFileText("search.txt", " 0x10\n20 -1 +2");  // read as "%i" reads
  reader.Search = SearchInit();
  reader.BackBuffer.pixels[20 * 640 + 15] = 0;
  Open();
  EXPECT_EQ(reader.BackBuffer.pixels[20 * 640 + 16], 0x808080u);
  EXPECT_EQ(reader.BackBuffer.pixels[20 * 640 + 15], 0u);
  EXPECT_EQ(reader.BackBuffer.pixels[19 * 640 + 16], reader.BackBuffer.pixels[19 * 640 + 15]);
}

TEST_F(SearchTest, APageTheFolderCannotTakeOpensFromThePrivateFolderElseNothingOpens) {
  std::filesystem::create_directory("search_0.art");  // no page can be renamed over a folder
  std::filesystem::create_directory("search_1.art");
  testing::internal::CaptureStdout();
  EXPECT_NE(Search("one").find("FF00#>one\n"), std::string::npos);
  EXPECT_EQ(resultPath, "DATA/search/search_0.art");
  const std::string page = ResourceFile(resultPath).name();
  std::filesystem::remove_all(std::filesystem::path(page).parent_path());
  EXPECT_EQ(Search("two"), "");
  EXPECT_EQ(resultPath, "");
  EXPECT_EQ(testing::internal::GetCapturedStdout(),
            "Cannot write search_0.art: Is a directory; written to " + page +
                " until the reader ends\nCannot write search_1.art: Is a directory; nor in a "
                "private folder: No such file or directory\n");
}

// The query's text as the loaded page shows it: its green segments.
std::string ShownQuery(const Article& article) {
  std::string shown;
  for (const ArticleLine& line : article.lines) {
    for (const TextSegment& segment : line.segments) {
      if (segment.colour == 0x00FF00) shown += segment.text;
    }
  }
  return shown;
}

// Markup typed into the box shows as typed, on a page that loads.
TEST_F(SearchTest, QueriesHoldingMarkupShowAsTypedOnAPageThatLoads) {
  WriteFileText("search.lst", "DATA/arts/index.art\n");
  reader.Search = SearchInit();
  // The box types no capitals.
  for (const std::string query : {"<#", "a<#title#>b", "<#<##>#>", "x<#link:art:y#>z<#endl#>", "\\<#color:", "<# "}) {
    SCOPED_TRACE(query);
    Search(query);
    Article article{};
    ASSERT_EQ(FatalMessageOf([&] { ArticleLoad(article, resultPath.c_str(), EngineFonts(reader)); }), "");
    EXPECT_EQ(ShownQuery(article), query.substr(0, query.find_last_not_of(' ') + 1));
    ArticleClose(article);
  }
}

}  // namespace
