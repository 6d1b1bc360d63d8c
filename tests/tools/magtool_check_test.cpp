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

  ChildResult result = RunMagtool("check issue");
  EXPECT_EQ(result.status, 1);
  std::set<std::string> lines;
  std::istringstream out(result.out);
  for (std::string line; std::getline(out, line);) lines.insert(line);
  const std::string expected[] = {
      "DATA/arts/story.art:" + std::to_string(badTag) + ": Unexpected end of token !",
      "DATA/arts/index.art:" + std::to_string(missingPicture) +
          ": Pix loader error ![PNG] (DATA/pictures/nowhere.png: not in the issue)",
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
  EXPECT_EQ(lines.size(), std::size(expected)) << result.out;
}
