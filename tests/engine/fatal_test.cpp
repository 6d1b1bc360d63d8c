#include "base/fatal.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <optional>
#include <string>
#include <utility>

#include "base/fatal_guard.h"
#include "magtool/archive_writer.h"
#include "resources/archive.h"
#include "support/child_process.h"
#include "support/fatal_catch.h"
#include "support/scratch_dir.h"

// Its line, status 0 and no extracted file left; also when a handler returns,
// and for exhausted memory, not std::bad_alloc's abort, which leaves the files.
TEST(FatalError, PrintsItsLineAndExitsNormallyRemovingExtractedFiles) {
  ScratchDir dir;
  std::string error;
  ASSERT_TRUE(WriteArchive("data.rs", {{"DATA/a.txt", {'h', 'i'}}}, false, error));
  const std::pair<const char*, std::function<void()>> ends[] = {
      {"[Parse error !] ", [] { FatalError("Parse error !"); }},
      {"at panel.cpp 12 : Parse error ! ", [] { FatalError(12, "panel.cpp", "Parse error !"); }},
      {"[Write error !] ", [] {
         SetFatalHandler([](int, const char*, const char*) {});
         FatalError("Write error !");
       }},
      {"[Parse error !] |after Parse error !", [] {  // the afterword follows; a fault in it ends all
         SetFatalAfterword([](const char* message) {
           std::printf("|after %s", message);
           FatalError("Again !");
         });
         FatalError("Parse error !");
       }},
      {"[Out Of Memory !] ", [] {
         InstallOutOfMemoryHandler();
         std::printf("%p", static_cast<void*>(new char[size_t{1} << 62]));
       }}};
  for (const auto& [line, end] : ends) {
    ChildResult child = RunInChild([&] {
      std::printf("%s|", ResourceOpen("DATA/a.txt"));
      end();
    });
    EXPECT_TRUE(child.exited && child.status == 0) << line;
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

// Guards nest, the innermost taking the fault; one raised while a fault is
// described ends the process as if unguarded.
TEST(FatalGuard, TheInnermostTakesTheFaultAndAFaultInsideOneEndsAll) {
  const auto same = [](const char* message) { return std::string(message); };
  const std::optional<std::string> outer = RunGuarded<std::string>(
      [&] {
        const auto inner = RunGuarded<std::string>([] { FatalError("inner !"); }, same);
        EXPECT_EQ(inner, "inner !");
        FatalError("outer !");
      },
      same);
  EXPECT_EQ(outer, "outer !");
  EXPECT_EQ(RunGuarded<std::string>([] {}, same), std::nullopt);
  const ChildResult child = RunInChild([] {
    RunGuarded<int>([] { FatalError("first !"); },
                    [](const char*) -> int { FatalError("again !"); });
  });
  EXPECT_TRUE(child.exited && child.status == 0);
  EXPECT_EQ(child.out, "\a\n PROGRAM: -- ERROR: [again !] ");
}
