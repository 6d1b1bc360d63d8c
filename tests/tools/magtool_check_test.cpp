#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <set>
#include <sstream>
#include <string>

#include "support/child_process.h"
#include "support/scratch_dir.h"

namespace fs = std::filesystem;

namespace {

// Adds text as the file's last line; returns its line number.
int AppendLine(const fs::path& path, const std::string& text) {
  std::string content = ReadFileText(path);
  if (!content.empty() && content.back() != '\n') content += '\n';
  WriteFileText(path, content += text + "\n");
  return static_cast<int>(std::count(content.begin(), content.end(), '\n'));
}

std::set<std::string> OutputLines(const std::string& out) {
  std::set<std::string> lines;
  std::istringstream in(out);
  for (std::string line; std::getline(in, line);) lines.insert(line);
  return lines;
}

class MagtoolCheckTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(RunMagtool(std::string("extract ") + DEMO_ARCHIVE + " issue").status, 0);
  }

  ScratchDir dir;
  fs::path data = fs::path("issue") / "DATA";
};

}  // namespace

TEST_F(MagtoolCheckTest, BrokenIssueReportsEveryProblemInOneRun) {
  const int badTag = AppendLine(data / "arts/story.art", "Broken <#LINK:ART:DATA/arts/index.art");
  const int missingPicture =
      AppendLine(data / "arts/index.art", "<#PICTURE:DATA/pictures/nowhere.png#>");
  // The article goes on past a fault that leaves its layout known.
  const int badNumber = AppendLine(data / "arts/index.art", "<#SIZE:big:12#>");
  const int badColour = AppendLine(data / "arts/index.art", "<#PICTURE:DATA/pictures/gone.png#>"
                                                            "<#COLOR:#>");
  const int badPanel = AppendLine(data / "arts/help.art", "<#LINK:PAN:4294967297#>Panel<#ENDL#>");
  const int missingArticle =
      AppendLine(data / "arts/help.art", "<#LINK:ART:DATA/arts/lost.art#>Lost<#ENDL#>");
  const std::string altLink = "<#LINK:MSX:+SILENCE:ALT:";
  const int longAlt = AppendLine(data / "arts/help.art", altLink + std::string(2047, 'a') + "#>x");
  AppendLine(data / "arts/help.art", altLink + std::string(2046, 'b') + "#>y");
  std::string page = ReadFileText(data / "panels/page.txt");
  for (size_t at = 0, lines = 0; at < page.size(); ++at) {
    if (page[at] == '\n' && ++lines == 5) page.resize(at + 1);
  }
  WriteFileText(data / "panels/page.txt", page);
  WriteFileText(data / "msx/tune2.xm", "not a module");
  // 1104 rows high, with a bar beyond the right edge
  WriteFileText(data / "panels/tall.txt",
                "DATA/panels/EndScroll.png\n0\n0\n0\n1\nDATA/panels/classic/bar.png\n600\n0\n0\n0\n0\n");
  AppendLine(data / "configs/panels.txt", "DATA/panels/tall.txt");
  const int unlisted = AppendLine(data / "configs/search.lst", "DATA/arts/news.art");
  std::vector<uint8_t> bmp = {'B', 'M', 58, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0, 40, 0, 0, 0,
                              1,   0,   0,  0, 1, 0, 0, 0, 1, 0, 16, 0};  // 16 bits per pixel
  bmp.resize(58);
  WriteFileBytes(data / "pictures/deep.bmp", bmp);
  const int deep = AppendLine(data / "arts/making.art", "<#PICTURE:DATA/pictures/deep.bmp#>");
  WriteFileBytes(data / "pictures/photo.jpeg", {0xFF, 0xD8});
  const int jpeg = AppendLine(data / "arts/type.art", "<#PICTURE:DATA/pictures/photo.jpeg#>");
  // The reader's message wherever its folder lies: the hover picture "ART".
  const int shortName =
      AppendLine(data / "arts/pixels.art", "<#PICLINK:DATA/pictures/read.png:ART:DATA/arts/index.art#>");

  ChildResult result = RunMagtool("check issue");
  EXPECT_EQ(result.status, 1);
  const std::set<std::string> lines = OutputLines(result.out);
  const std::string expected[] = {
      "DATA/arts/making.art:" + std::to_string(deep) +
          ": Pix loader error ![BMP] (DATA/pictures/deep.bmp)",
      "DATA/pictures/deep.bmp: warning: BMP: 16-bit pixels are not read; save as 24-bit or 8-bit",
      "DATA/arts/type.art:" + std::to_string(jpeg) +
          ": Filetype unsupported by ImageLoader ! (DATA/pictures/photo.jpeg)",
      "DATA/pictures/photo.jpeg: warning: the reader takes JPEG pictures under the ending .jpg "
      "only: rename it DATA/pictures/photo.jpg",
      "DATA/arts/pixels.art:" + std::to_string(shortName) + ": Internal error ! (ART: not in the issue)",
      "DATA/arts/story.art:" + std::to_string(badTag) + ": Unexpected end of token !",
      "DATA/arts/index.art:" + std::to_string(missingPicture) +
          ": Pix loader error ![PNG] (DATA/pictures/nowhere.png: not in the issue)",
      "DATA/arts/index.art:" + std::to_string(badNumber) +
          ": Error inside token ! (<#SIZE#>: \"big\" is not a number)",
      "DATA/arts/index.art:" + std::to_string(badColour) +
          ": Pix loader error ![PNG] (DATA/pictures/gone.png: not in the issue)",
      "DATA/arts/index.art:" + std::to_string(badColour) +
          ": Error inside token ! (<#COLOR#>: \"\" is not a colour in hexadecimal)",
      "DATA/arts/help.art:" + std::to_string(badPanel) + ": Invalid pVal value !",
      "DATA/arts/help.art:" + std::to_string(missingArticle) + ": Cannot open lost.art file !"
          " (DATA/arts/lost.art: not in the issue)",
      "DATA/configs/search.lst:" + std::to_string(unlisted) +
          ": Cannot open artFile ! (DATA/arts/news.art: not in the issue)",
      "DATA/panels/page.txt:6: Parse error !",
      "DATA/msx/tune2.xm: Can't play the file - open/load/format error (BASS)!",
      "DATA/arts/help.art:" + std::to_string(longAlt) + ": ALT tag is too long!",
      "DATA/panels/tall.txt:3: Top strip and middle area are taller than the screen !",
      "DATA/panels/tall.txt:6: ProgressBar origin has bad values !",
  };
  for (const std::string& line : expected) EXPECT_EQ(lines.count(line), 1u) << result.out;
  EXPECT_NE(result.out.find("\nfailed: 16 errors, "), std::string::npos) << result.out;
  const auto problems = std::count_if(lines.begin(), lines.end(), [](const std::string& line) {
    return line.find(": warning: ") == std::string::npos && !line.starts_with("failed: ");
  });
  EXPECT_EQ(problems + 2, std::ssize(expected)) << result.out;

  // The reader stops at the first of them and names it on standard error as check does.
  const ChildResult reader =
      RunCommand(std::string(DISKMAG_PATH) + " --issue issue --skip-setup 2>&1 >/dev/null");
  EXPECT_EQ(reader.out, expected[13] + "\n");
}

TEST_F(MagtoolCheckTest, WarningsSayWhatTheReaderPassesOverAndStrictFailsOnThem) {
  const std::string past = " pixels past the text area (612 pixels wide): ";
  const struct {
    const char* file;
    std::string text, warning;
  } rows[] = {
      {"arts/story.art", "<#BLOD#>x",
       "unknown tag <#BLOD#>: the reader skips it; did you mean <#BOLD#>?"},
      {"arts/help.art", "<#ABREAK_ONE#>x",
       "unknown tag <#ABREAK_ONE#>: the reader skips it; did you mean <#ABREAK_ON#>?"},
      {"arts/index.art", "<#LNK:ART:DATA/arts/type.art#>x",
       "unknown tag <#LNK:ART:DATA/arts/type.art#>: the reader skips it;"
       " did you mean <#LINK:ART:DATA/arts/type.art#>?"},
      {"arts/story.art", "<#FACENAME:DATA/fonts/seriff.ttf#>x",
       "face \"DATA/fonts/seriff.ttf\" is not listed in DATA/configs/fonts.txt: the reader shows "
       "DATA/fonts/arial.ttf instead; did you mean DATA/fonts/serif.ttf?"},
      {"arts/story.art", "<#FACENAME::FIXED#>" + std::string(80, 'x'),
       "text runs 28" + past + "break it (<#ABREAK_ON#>) or lower <#JLIMIT#>"},
      {"arts/help.art", "<#PICTURE:DATA/panels/CoverBeg.png#>",
       "picture DATA/panels/CoverBeg.png reaches 28" + past +
           "make it narrower or place it further left"},
      {"arts/orphan.art", "Snow\xe2\x98\x83man",
       "U+2603 (\xe2\x98\x83) at column 5 is not in Windows-1252, so the reader takes this UTF-8 "
       "file byte for byte, each accent as two characters; replace it, or save the file with a "
       "byte-order mark to show it as \"?\""},
      {"arts/help.art", "<#FACENAME::FIXED#>x\xe2\x80\x94y",
       "\"\xe2\x80\x94\" (U+2014) at column 21 has no glyph in the fixed font: the reader leaves it "
       "blank or draws the face's missing-glyph box; write it otherwise or use a face that has "
       "it"},
      {"arts/help.art", "<#FACENAME:DATA/fonts/headline.bmf#>Ab",
       "\"b\" (U+0062) at column 38 has no glyph in its BMF face: the reader leaves it blank or "
       "draws the face's missing-glyph box; write it otherwise or use a face that has it"},
      {"arts/help.art", "a\tb",
       "tab character at column 2: the reader draws it as a wide gap, inside a justified line or "
       "over a picture beside the text; use spaces, or <#GOTO:x#> to place text"},
      {"arts/help.art", "<#COLOR:blue#>x",
       "<#COLOR:blue#>: \"blue\" is no hexadecimal colour; the reader reads it as 00000B: write "
       "the colour as RRGGBB, as in <#COLOR:FFD040#>"},
      {"arts/help.art", "<#END#>",
       "<#END#> closes nothing here: it ends the text of a <#TITLE#>, <#AUTHOR#> or <#KEYWORDS#> "
       "tag; the reader skips it: remove it, or close the tag's text with it"},
      {"arts/help.art", "<#LINK:PAN:5#>x<#ENDL#>",
       "PAN:5: the issue has 3 panels (0 to 2); the reader takes it as panel 2: write PAN:2"},
  };
  std::set<std::string> expected;
  for (const auto& row : rows) {
    const int line = AppendLine(data / row.file, row.text);
    expected.insert("DATA/" + std::string(row.file) + ":" + std::to_string(line) +
                    ": warning: " + row.warning);
  }
  std::string list = ReadFileText(data / "configs/search.lst");
  WriteFileText(data / "configs/search.lst", list.erase(list.find("DATA/arts/type.art\n"), 19));
  WriteFileBytes(data / "pictures/local.gif", {'G', 'I', 'F', '8', '9', 'a', 1, 0, 1, 0, 0, 0, 0});
  WriteFileBytes(data / "pictures/unused.png", {'x'});
  std::string panel = ReadFileText(data / "panels/classic.txt");  // button 1's mask index, line 25
  WriteFileText(data / "panels/classic.txt",
                panel.replace(panel.find("\n82\n424\n2\n"), 10, "\n82\n424\n200\n"));
  expected.insert({
      "DATA/arts/orphan.art: warning: nothing links to this article: link it from "
      "DATA/arts/index.art or another article with <#LINK:ART:DATA/arts/orphan.art#>",
      "DATA/arts/type.art: warning: the search does not find this article: add it to "
      "DATA/configs/search.lst",
      "DATA/pictures/unused.png: warning: nothing in the issue uses this file: it is packed for "
      "nothing; remove it, or link it from an article",
      "DATA/panels/classic.txt:25: warning: no pixel of the mask has index 200: the button can "
      "never be pressed; paint its area with palette index 200 (see docs/panels.md)",
      "DATA/pictures/local.gif: warning: GIF without a global colour table: the reader takes the 6 "
      "bytes after the screen descriptor for one and misreads the picture; save it with a global "
      "colour table",
  });

  const ChildResult result = RunMagtool("check issue");
  EXPECT_EQ(result.status, 0);
  const std::set<std::string> lines = OutputLines(result.out);
  for (const std::string& line : expected) EXPECT_EQ(lines.count(line), 1u) << line;
  EXPECT_NE(result.out.find("modules checked, "), std::string::npos) << result.out;
  EXPECT_TRUE(result.out.ends_with(" warnings\n")) << result.out;
  const ChildResult strict = RunMagtool("check --strict issue");
  EXPECT_EQ(strict.status, 1);
  EXPECT_NE(strict.out.find("\nfailed with --strict: "), std::string::npos) << strict.out;
  const ChildResult data = RunMagtool("check issue/DATA");  // packed as pack packs it: refused
  EXPECT_EQ(data.status, 1);
  EXPECT_NE(data.out.find("issue/DATA: the reader looks for DATA/arts/gallery.art: pack the "
                          "folder that holds DATA/, not DATA itself"),
            std::string::npos) << data.out;
}
