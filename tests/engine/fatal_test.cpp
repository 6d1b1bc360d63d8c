#include "base/fatal.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <utility>

#include "magtool/archive_writer.h"
#include "resources/archive.h"
#include "support/child_process.h"
#include "support/fatal_catch.h"
#include "support/scratch_dir.h"

TEST(FatalError, PrintsItsLineAndExitsWithStatusZero) {
  const std::pair<const char*, const char*> forms[] = {
      {nullptr, "[Parse error !] "}, {"panel.cpp", "at panel.cpp 12 : Parse error ! "}};
  for (const auto& [file, line] : forms) {
    ChildResult child = RunInChild([file] { FatalError(12, file, "Parse error !"); });
    EXPECT_TRUE(child.exited);
    EXPECT_EQ(child.status, 0);
    EXPECT_EQ(child.out, std::string("\a\n PROGRAM: -- ERROR: ") + line);
  }
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

// Exhausted memory too: not std::bad_alloc's abort, which leaves the files.
TEST(FatalError, ExitRemovesExtractedTemporaryFiles) {
  ScratchDir dir;
  std::string error;
  ASSERT_TRUE(WriteArchive("data.rs", {{"DATA/a.txt", {'h', 'i'}}}, false, error));
  const std::pair<const char*, std::function<void()>> ends[] = {
      {"[Parse error !] ", [] { FatalError("Parse error !"); }},
      {"[Out Of Memory !] ", [] {
         InstallOutOfMemoryHandler();
         std::printf("%p", static_cast<void*>(new char[size_t{1} << 62]));
       }}};
  for (const auto& [line, end] : ends) {
    ChildResult child = RunInChild([&] {
      std::printf("%s|", ResourceOpen("DATA/a.txt"));
      end();
    });
    EXPECT_EQ(child.status, 0) << line;
    std::string tempName = child.out.substr(0, child.out.find('|'));
    EXPECT_EQ(tempName.rfind("tmp_", 0), 0u);
    EXPECT_FALSE(FileExists(tempName));
    EXPECT_EQ(child.out, tempName + "|\a\n PROGRAM: -- ERROR: " + line);
  }
}

TEST(AllocZeroed, ZeroSizeGivesFourZeroBytesAndExhaustionIsOutOfMemory) {
  auto* block = static_cast<unsigned char*>(AllocZeroed(0));
  ASSERT_NE(block, nullptr);
  for (int i = 0; i < 4; ++i) EXPECT_EQ(block[i], 0);
  FreeBlock(block);
  EXPECT_EQ(FatalMessageOf([] { AllocZeroed(SIZE_MAX - 2); }), "Out Of Memory !");
}
