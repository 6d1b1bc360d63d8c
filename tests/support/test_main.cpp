// The unit tests' entry. A fatal error that a test does not expect must fail
// it: the engine's own policy ends the process with status 0, which would
// pass as success, so the tests run under a policy that aborts instead.
// Tests that check the real exit run it in a child (RunInChild), which puts
// the engine's policy back.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

#include "base/fatal.h"

namespace {

[[noreturn]] void AbortOnUnexpectedFatal(int, const char*, const char* message) {
  std::fprintf(stderr, "unexpected fatal error: %s\n", message);
  std::abort();
}

}  // namespace

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  SetFatalHandler(AbortOnUnexpectedFatal);
  return RUN_ALL_TESTS();
}
