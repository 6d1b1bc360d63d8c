#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>
#include <filesystem>

#include "base/setup_config.h"
#include "setup/setup_file.h"
#include "resources/archive.h"
#include "support/child_process.h"
#include "support/fatal_catch.h"
#include "support/issue_dir.h"

namespace {

// SIMD, MMX, full, sleep, fade, dbuf, softcursor, quality, msx, tune, hw, dx, bpp
const std::vector<int32_t> kChanged = {0, 0, 0, 700, 300, 0, 1, 3, 0, -5, 0, 1, 16};

class SetupFileTest : public IssueDirTest {
 protected:
  void SetUp() override {
    SetupDefaults(config);
  }

  std::string ReadWith(const std::vector<int32_t>& values) {
    WriteFileBytes("setup.cfg", LittleEndianWords(values));
    return FatalMessageOf([&] { ReadSetupFile(config); });
  }

  SetupConfig config;
};

}  // namespace

TEST_F(SetupFileTest, EveryRangeIsChecked) {
  // index in the file, a value out of its range
  const std::vector<std::pair<int, int32_t>> bad = {
      {0, 2}, {1, -1}, {2, 5}, {3, 0}, {3, 10001}, {4, 20000}, {5, 2},
      {6, 7}, {7, 0}, {7, 4}, {8, 2}, {10, 3}, {11, -1}, {12, 24}};
  for (auto [index, value] : bad) {
    std::vector<int32_t> values = kChanged;
    values[index] = value;
    SetupDefaults(config);
    EXPECT_EQ(ReadWith(values), "\n SetupFile fucked !") << "value " << index << " = " << value;
  }
}

TEST_F(SetupFileTest, AFailedWriteKeepsTheOldFileLeavesNoPartAndSaysSo) {
  WriteFileBytes("setup.cfg", LittleEndianWords(kChanged));
  ChildResult child = RunInChild([&] {
    std::signal(SIGXFSZ, SIG_IGN);
    const rlimit fullAfter20Bytes{20, 20};  // a disk that fills while writing
    setrlimit(RLIMIT_FSIZE, &fullAfter20Bytes);
    WriteSetupFile(config);
  });
  EXPECT_EQ(child.out, "Cannot write setup.cfg: File too large\n");
  EXPECT_EQ(ReadFileBytes("setup.cfg"), LittleEndianWords(kChanged));
  const auto files = std::distance(std::filesystem::directory_iterator("."), {});
  EXPECT_EQ(files, 2) << "data.rs and setup.cfg only";
}
