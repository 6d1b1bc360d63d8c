// An unexpected fatal error must fail the test, not end the process with the
// engine's status 0: the tests run under a policy that aborts instead.
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
