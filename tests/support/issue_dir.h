// A test in a scratch directory holding an empty data.rs, so that the archive
// finds every path by its base name among the test's own files. Every
// resource is closed when the test ends.
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
