// A test in a scratch directory with an empty data.rs, so that every path is
// found by its base name among the test's files; resources closed at the end.
#pragma once

#include <gtest/gtest.h>

#include "resources/archive.h"
#include "support/scratch_dir.h"

class IssueDirTest : public ::testing::Test {
 protected:
  IssueDirTest() { WriteFileBytes("data.rs", {}); }
  ~IssueDirTest() override { ResourceCloseAll(); }

  ScratchDir dir;
};
