#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>
#include <random>

#include "magtool/archive_writer.h"
#include "support/child_process.h"
#include "support/scratch_dir.h"

namespace fs = std::filesystem;

namespace {

// Letters drawn from a skewed distribution pack well; uniform noise does not.
std::vector<uint8_t> RandomBytes(size_t n, bool skewed) {
  std::mt19937 random(1);
  std::geometric_distribution<int> geometric(0.2);
  std::vector<uint8_t> bytes(n);
  for (auto& b : bytes) b = static_cast<uint8_t>(skewed ? 'a' + geometric(random) % 26 : random());
  return bytes;
}

class MagtoolTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::create_directories("issue/DATA/arts");
    fs::create_directories("issue/DATA/msx");
    WriteFileBytes("issue/DATA/arts/index.art", skewed);
    WriteFileBytes("issue/DATA/msx/noise.bin", noise);
    WriteFileBytes("issue/DATA/empty.txt", {});
  }

  ScratchDir dir;
  std::vector<uint8_t> skewed = RandomBytes(40000, true);
  std::vector<uint8_t> noise = RandomBytes(5000, false);
};

}  // namespace

TEST_F(MagtoolTest, PackListVerifyExtractRoundTripAndStoreNeverPacks) {
  ASSERT_EQ(RunMagtool("pack issue data.rs").status, 0);
  ChildResult list = RunMagtool("list data.rs");
  ASSERT_EQ(list.status, 0);
  for (const char* line : {"DATA/empty.txt\t0\t0\tstored\n",  // packing would not shrink noise
                           "DATA/msx/noise.bin\t5000\t5000\tstored\n", "\thuff\nDATA/empty.txt"}) {
    EXPECT_NE(list.out.find(line), std::string::npos) << list.out;
  }
  EXPECT_EQ(list.out.rfind("DATA/arts/index.art\t40000\t", 0), 0u);

  EXPECT_EQ(RunMagtool("verify data.rs").status, 0);
  ASSERT_EQ(RunMagtool("extract data.rs out").status, 0);
  ASSERT_EQ(RunMagtool("extract data.rs out").status, 0);  // over its own earlier files
  EXPECT_EQ(ReadFileBytes("out/DATA/arts/index.art"), skewed);
  EXPECT_EQ(ReadFileBytes("out/DATA/msx/noise.bin"), noise);
  ASSERT_EQ(RunMagtool("pack --store issue stored.rs").status, 0);
  list = RunMagtool("list stored.rs");
  EXPECT_EQ(list.out.find("huff"), std::string::npos);
  EXPECT_NE(list.out.find("DATA/arts/index.art\t40000\t40000\tstored"), std::string::npos);
}

TEST_F(MagtoolTest, ExtractRefusesNamesThatLeaveTheDestination) {
  for (const char* name : {"../evil.txt", "DATA/../../evil.txt", "/tmp/evil.txt", "..\\evil.txt"}) {
    std::string error;
    ASSERT_TRUE(WriteArchive("bad.rs", {{"DATA/ok.txt", {'o'}}, {name, {'x'}}}, false, error));
    ChildResult result = RunMagtool("extract bad.rs out/inner");
    EXPECT_EQ(result.status, 1) << name;
    EXPECT_NE(result.out.find("refusing"), std::string::npos) << name;
    EXPECT_FALSE(FileExists("out/evil.txt"));
    EXPECT_FALSE(FileExists("out/inner/DATA/ok.txt"));
  }
}

TEST_F(MagtoolTest, ExtractNeverWritesThroughALink) {
  std::string error;
  ASSERT_TRUE(WriteArchive("a.rs", {{"DATA/ok.txt", {'o'}}, {"DATA/s/v.txt", {'x'}}}, false, error));
  fs::create_directories("elsewhere");
  WriteFileBytes("victim.txt", {'v'});
  for (auto [link, target] : {std::pair{"out/DATA/s", "../../elsewhere"}, {"out/DATA/s/v.txt", "../../../victim.txt"},
                               {"out/DATA/s/v.txt", "../../../gone.txt"}}) {
    fs::remove_all("out");
    fs::create_directories(fs::path(link).parent_path());
    fs::create_symlink(target, link);
    ChildResult result = RunMagtool("extract a.rs out");
    EXPECT_EQ(result.status, 1) << link;
    EXPECT_NE(result.out.find("refusing a name that passes through a link"), std::string::npos) << result.out;
    EXPECT_FALSE(FileExists("out/DATA/ok.txt")) << link;  // refused as a whole
  }
  EXPECT_TRUE(fs::is_empty("elsewhere"));
  EXPECT_EQ(ReadFileBytes("victim.txt"), std::vector<uint8_t>{'v'});
  EXPECT_FALSE(FileExists("gone.txt"));
}

TEST_F(MagtoolTest, PackReportsWhatItCannotReadOrStore) {
  WriteFileBytes("issue/DATA/big.bin", {});
  fs::resize_file("issue/DATA/big.bin", (size_t{1} << 31) + 1);  // sparse: no disk used
  // Fast under a memory limit only when the size is checked before reading.
  for (auto [limit, message] : {std::pair{"ulimit -v 200000", "magtool: DATA/big.bin: a member must be smaller"},
                                {"ulimit -n 4", "magtool: issue/DATA: Too many open files"}}) {
    ChildResult result = RunCommand("exec 2>&1 3>&- 4>&- 5>&- 6>&- 7>&- 8>&- 9>&-; " + std::string(limit) +
                                    "; exec " MAGTOOL_PATH " pack issue o.rs");
    EXPECT_EQ(result.status, 1) << limit;
    EXPECT_EQ(result.out.rfind(message, 0), 0u) << result.out;
  }
  fs::remove("issue/DATA/big.bin");
  fs::create_symlink("loop", "issue/DATA/loop");
  ChildResult result = RunMagtool("pack issue o.rs");
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(result.out.rfind("magtool: issue/DATA/loop: Too many levels", 0), 0u) << result.out;
  EXPECT_FALSE(FileExists("o.rs"));
}

TEST_F(MagtoolTest, PackLeavesOutTheArchiveAndItsPartialFile) {
  WriteFileBytes("issue/data.rs", {'o', 'l', 'd'});
  WriteFileBytes("issue/data.rs.partial", {'s', 't', 'a', 'l', 'e'});
  ASSERT_EQ(RunMagtool("pack issue issue/data.rs").status, 0);
  ChildResult list = RunMagtool("list issue/data.rs");
  EXPECT_EQ(list.out.find("data.rs"), std::string::npos) << list.out;
}

TEST_F(MagtoolTest, PackNeverWritesThroughALinkPlantedAsItsPartialFile) {
  WriteFileBytes("victim.txt", {'v'});
  for (const char* target : {"victim.txt", "gone.txt"}) {
    fs::remove("data.rs.partial");
    fs::create_symlink(target, "data.rs.partial");
    EXPECT_EQ(RunMagtool("pack issue data.rs").status, 1) << target;
    EXPECT_FALSE(fs::exists(fs::symlink_status("data.rs"))) << target;
  }
  EXPECT_EQ(ReadFileBytes("victim.txt"), std::vector<uint8_t>{'v'});
  EXPECT_FALSE(FileExists("gone.txt"));
}

// A file of the editor's machine is packed or published only when asked for.
TEST_F(MagtoolTest, LinksLeadingOutOfTheIssueAreRefusedUnlessFollowedAndCheckWarns) {
  WriteFileText("secret.txt", "key");
  fs::create_symlink("../../../secret.txt", "issue/DATA/arts/leak.art");
  fs::create_symlink("index.art", "issue/DATA/arts/same.art");
  fs::create_symlink("arts", "issue/DATA/linked");
  ASSERT_EQ(mkfifo("issue/DATA/pipe", 0600), 0);
  for (const char* command : {"pack issue data.rs", "web issue site"}) {
    const ChildResult result = RunMagtool(command);
    EXPECT_EQ(result.status, 1) << command;
    EXPECT_NE(result.out.find("issue/DATA/arts/leak.art: refusing a link that leads out of "),
              std::string::npos) << result.out;
  }
  EXPECT_FALSE(FileExists("data.rs"));
  ChildResult result = RunMagtool("pack --follow-links issue data.rs");
  ASSERT_EQ(result.status, 0) << result.out;
  for (const char* line : {"warning: issue/DATA/linked: left out: a link to a folder is not followed",
                           "warning: issue/DATA/pipe: left out: not a regular file"}) {
    EXPECT_NE(result.out.find(line), std::string::npos) << result.out;
  }
  const std::string list = RunMagtool("list data.rs").out;
  EXPECT_NE(list.find("DATA/arts/leak.art\t3\t"), std::string::npos) << list;
  EXPECT_NE(list.find("DATA/arts/same.art\t40000\t"), std::string::npos) << list;
  EXPECT_NE(RunMagtool("check issue").out.find("DATA/arts/leak.art: warning: a link that leads out"),
            std::string::npos);
}

TEST_F(MagtoolTest, VerifyAndExtractRefuseADamagedArchiveNamingTheMember) {
  ASSERT_EQ(RunMagtool("pack issue data.rs").status, 0);
  const std::vector<uint8_t> whole = ReadFileBytes("data.rs");
  const size_t second = 270 + static_cast<size_t>(whole[261] | whole[262] << 8 | whole[263] << 16);
  std::vector<uint8_t> trailing = whole;
  trailing.insert(trailing.end(), 3, 0);
  for (auto [bytes, reason] : {std::pair{trailing, "3 bytes after the last whole member"},
                               {std::vector<uint8_t>{}, "holds no member"}}) {
    WriteFileBytes("bad.rs", bytes);
    for (const char* command : {"verify bad.rs", "extract bad.rs out"}) {
      ChildResult result = RunMagtool(command);
      EXPECT_EQ(result.status, 1) << command;
      EXPECT_NE(result.out.find(reason), std::string::npos) << result.out;
    }
    EXPECT_FALSE(FileExists("out"));
  }
  // The second member (DATA/empty.txt) follows the packed index.art; its
  // size field no longer matches its stored size.
  std::vector<uint8_t> bytes = whole;
  bytes[second + 265] ^= 1;
  WriteFileBytes("bad.rs", bytes);
  EXPECT_NE(RunMagtool("verify bad.rs").out.find("DATA/empty.txt: size differs"), std::string::npos);
  fs::create_directory("folder.rs");
  EXPECT_EQ(RunMagtool("verify folder.rs").out, "magtool: folder.rs: Broken resource file ! (not a file)\n");
}

TEST_F(MagtoolTest, NewWritesAnIssueThatChecksCleanButOnlyIntoAnEmptyFolder) {
  fs::create_directory("mine");
  const std::string name = "Caf\xC3\xA9 Noir #2";
  ChildResult result = RunMagtool("new mine --name '" + name + "'");
  ASSERT_EQ(result.status, 0) << result.out;
  EXPECT_NE(ReadFileText("mine/DATA/arts/index.art").find("Welcome to " + name + ","), std::string::npos);
  result = RunMagtool("check mine");
  EXPECT_EQ(result.out.rfind("ok: 4 articles", 0), 0u) << result.out;
  for (const char* full : {"mine", "issue"}) {
    result = RunMagtool(std::string("new ") + full);
    EXPECT_EQ(result.status, 1);
    EXPECT_NE(result.out.find(std::string(full) + " is not empty"), std::string::npos) << result.out;
  }
  EXPECT_EQ(ReadFileText("mine/DATA/configs/issue.txt"), "name=" + name + "\n");
  // Names the reader cannot show, or that would break the articles' markup.
  for (const std::string& bad : {std::string(), std::string("<#BOLD#>"), std::string("\xE4\xB8\xAD"), std::string(41, 'x')}) {
    EXPECT_EQ(RunMagtool("new other --name '" + bad + "'").status, 1) << bad;
    EXPECT_FALSE(FileExists("other"));
  }
  result = RunMagtool("new other --name \"$(printf 'a\\033[2Jb')\"");
  EXPECT_NE(result.out.find("\"a\\x1b[2Jb\""), std::string::npos) << "a terminal is never driven";
  WriteFileText("mine/DATA/configs/issue.txt", "name=\n");
  EXPECT_EQ(RunMagtool("check mine").out.rfind("DATA/configs/issue.txt:1: the issue's name is empty\n"
                                                "failed: 1 error, ", 0), 0u);
}

TEST_F(MagtoolTest, BadCommandLinesAndArchives) {
  for (const char* line : {"", "pack onlyone", "check a b", "new", "new d --title t"}) {
    EXPECT_EQ(RunMagtool(line).status, 2) << line;
  }
  EXPECT_EQ(RunMagtool("check no-such-archive.rs").status, 1);
  WriteFileBytes("junk.rs", std::vector<uint8_t>(300, 7));
  ChildResult result = RunMagtool("list junk.rs");
  EXPECT_EQ(result.status, 1);
  EXPECT_NE(result.out.find("Broken resource file !"), std::string::npos);
}
