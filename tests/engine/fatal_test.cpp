#include "engine/fatal.h"

#include <gtest/gtest.h>

#include "magtool/archive_writer.h"
#include "resources/archive.h"
#include "support/child_process.h"
#include "support/fatal_catch.h"
#include "support/scratch_dir.h"

TEST(FatalError, PrintsTheShortLineAndExitsWithStatusZero) {
  ChildResult child = RunInChild([] { FatalError(0, nullptr, "Parse error !"); });
  EXPECT_TRUE(child.exited);
  EXPECT_EQ(child.status, 0);
  EXPECT_EQ(child.out, "\a\n PROGRAM: -- ERROR: [Parse error !] ");
}

TEST(FatalError, NamesFileAndLineInTheLongForm) {
  EXPECT_EQ(FatalErrorText(12, "panel.cpp", "Bad panel !"),
            "\a\n PROGRAM: -- ERROR: at panel.cpp 12 : Bad panel ! ");
}

TEST(FatalError, HandlerTakesThePlaceOfTheExit) {
  EXPECT_EQ(FatalMessageOf([] { FatalError("Read error !"); }), "Read error !");
  // A handler that returns still ends the process the normal way.
  ChildResult child = RunInChild([] {
    SetFatalHandler([](int, const char*, const char*) {});
    FatalError("Write error !");
  });
  EXPECT_EQ(child.status, 0);
  EXPECT_EQ(child.out, "\a\n PROGRAM: -- ERROR: [Write error !] ");
}

TEST(FatalError, ExitRemovesExtractedTemporaryFiles) {
  ScratchDir dir;
  std::string error;
  ASSERT_TRUE(WriteArchive("data.rs", {{"DATA/a.txt", {'h', 'i'}}}, false, error));
  ChildResult child = RunInChild([&] {
    const char* name = ResourceOpen("DATA/a.txt");
    std::printf("%s|", name);
    FatalError("Parse error !");
  });
  EXPECT_EQ(child.status, 0);
  std::string tempName = child.out.substr(0, child.out.find('|'));
  EXPECT_EQ(tempName.rfind("tmp_", 0), 0u);
  EXPECT_FALSE(FileExists(tempName));
  EXPECT_NE(child.out.find("[Parse error !]"), std::string::npos);
}

TEST(AllocZeroed, ZeroSizeGivesFourZeroBytes) {
  auto* block = static_cast<unsigned char*>(AllocZeroed(0));
  ASSERT_NE(block, nullptr);
  for (int i = 0; i < 4; ++i) EXPECT_EQ(block[i], 0);
  block[3] = 1;
  FreeBlock(block);
  FreeBlock(nullptr);
}

TEST(AllocZeroed, ExhaustionIsOutOfMemory) {
  EXPECT_EQ(FatalMessageOf([] { AllocZeroed(SIZE_MAX - 2); }), "Out Of Memory !");
}

TEST(StrCaseCompare, FoldsAsciiLettersOnly) {
  EXPECT_EQ(StrCaseCompare("DATA/Msx/Beg.XM", "data/msx/beg.xm"), 0);
  EXPECT_LT(StrCaseCompare("abc", "ABD"), 0);
  EXPECT_GT(StrCaseCompare("b", "A"), 0);
  EXPECT_NE(StrCaseCompare("a/b", "a\\b"), 0);
}
