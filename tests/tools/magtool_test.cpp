#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <sstream>

#include "magtool/archive_writer.h"
#include "support/child_process.h"
#include "support/scratch_dir.h"

namespace fs = std::filesystem;

namespace {

ChildResult Magtool(const std::string& arguments) {
  return RunCommand(std::string(MAGTOOL_PATH) + " " + arguments + " 2>&1");
}

std::vector<uint8_t> RandomBytes(size_t n, unsigned seed) {
  std::mt19937 random(seed);
  std::vector<uint8_t> bytes(n);
  for (auto& b : bytes) b = static_cast<uint8_t>(random());
  return bytes;
}

std::vector<uint8_t> SkewedBytes(size_t n, unsigned seed) {
  std::mt19937 random(seed);
  std::geometric_distribution<int> geometric(0.2);
  std::vector<uint8_t> bytes(n);
  for (auto& b : bytes) b = static_cast<uint8_t>('a' + geometric(random) % 26);
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
  std::vector<uint8_t> skewed = SkewedBytes(40000, 1);
  std::vector<uint8_t> noise = RandomBytes(5000, 2);
};

}  // namespace

TEST_F(MagtoolTest, PackListVerifyExtractRoundTrip) {
  ASSERT_EQ(Magtool("pack issue data.rs").status, 0);
  ChildResult list = Magtool("list data.rs");
  ASSERT_EQ(list.status, 0);
  std::istringstream lines(list.out);
  std::string empty, index, noiseLine;
  std::getline(lines, index);
  std::getline(lines, empty);
  std::getline(lines, noiseLine);
  EXPECT_EQ(empty, "DATA/empty.txt\t0\t0\tstored");
  EXPECT_EQ(index.rfind("DATA/arts/index.art\t40000\t", 0), 0u);
  EXPECT_EQ(index.substr(index.size() - 5), "\thuff");
  EXPECT_EQ(noiseLine, "DATA/msx/noise.bin\t5000\t5000\tstored");  // packing would not shrink it

  EXPECT_EQ(Magtool("verify data.rs").status, 0);
  ASSERT_EQ(Magtool("extract data.rs out").status, 0);
  EXPECT_EQ(ReadFileBytes("out/DATA/arts/index.art"), skewed);
  EXPECT_EQ(ReadFileBytes("out/DATA/msx/noise.bin"), noise);
  EXPECT_TRUE(FileExists("out/DATA/empty.txt"));
}

TEST_F(MagtoolTest, StoreNeverPacks) {
  ASSERT_EQ(Magtool("pack --store issue data.rs").status, 0);
  ChildResult list = Magtool("list data.rs");
  EXPECT_EQ(list.out.find("huff"), std::string::npos);
  EXPECT_NE(list.out.find("DATA/arts/index.art\t40000\t40000\tstored"), std::string::npos);
}

TEST_F(MagtoolTest, ExtractRefusesNamesThatLeaveTheDestination) {
  for (const char* name : {"../evil.txt", "DATA/../../evil.txt", "/tmp/evil.txt", "..\\evil.txt"}) {
    std::string error;
    ASSERT_TRUE(WriteArchive("bad.rs", {{"DATA/ok.txt", {'o'}}, {name, {'x'}}}, false, error));
    ChildResult result = Magtool("extract bad.rs out/inner");
    EXPECT_EQ(result.status, 1) << name;
    EXPECT_NE(result.out.find("refusing"), std::string::npos) << name;
    EXPECT_FALSE(FileExists("out/evil.txt"));
    EXPECT_FALSE(FileExists("out/inner/DATA/ok.txt"));
  }
}

TEST_F(MagtoolTest, VerifyNamesTheFirstBrokenMember) {
  ASSERT_EQ(Magtool("pack issue data.rs").status, 0);
  std::vector<uint8_t> bytes = ReadFileBytes("data.rs");
  // The second member (DATA/empty.txt) follows the packed index.art; its
  // size field no longer matches its stored size.
  size_t second = 270 + static_cast<size_t>(bytes[261] | bytes[262] << 8 | bytes[263] << 16);
  bytes[second + 265] ^= 1;
  WriteFileBytes("data.rs", bytes);
  ChildResult result = Magtool("verify data.rs");
  EXPECT_EQ(result.status, 1);
  EXPECT_NE(result.out.find("DATA/empty.txt: size differs"), std::string::npos) << result.out;
}

TEST_F(MagtoolTest, BadCommandLinesAndArchives) {
  EXPECT_EQ(Magtool("").status, 2);
  EXPECT_EQ(Magtool("pack onlyone").status, 2);
  EXPECT_EQ(Magtool("list missing.rs").status, 1);
  WriteFileBytes("junk.rs", std::vector<uint8_t>(300, 7));
  ChildResult result = Magtool("list junk.rs");
  EXPECT_EQ(result.status, 1);
  EXPECT_NE(result.out.find("Broken resource file !"), std::string::npos);
}

TEST_F(MagtoolTest, ExhaustedMemoryIsReportedNotAnAbort) {
  WriteFileBytes("issue/DATA/big.bin", {});
  fs::resize_file("issue/DATA/big.bin", size_t{512} << 20);  // sparse: no disk used
  ChildResult result = RunCommand("ulimit -v 200000; " MAGTOOL_PATH " pack issue out.rs 2>&1");
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(result.out, "magtool: out of memory\n");
}
