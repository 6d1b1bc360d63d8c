// The engine started on the demo issue the way the reader starts it: windowed,
// on SDL's dummy video driver unless another is set, over a copy of the demo
// archive in a scratch folder given as its places (the current directory stays
// as it is), with the opening cover already over.
// Shut down in reverse order on destruction.
#pragma once

#include <memory>

#include "engine/reader_state.h"
#include "support/scratch_dir.h"

class DemoEngine {
 public:
  explicit DemoEngine(int bpp);
  ~DemoEngine();
  DemoEngine(const DemoEngine&) = delete;
  DemoEngine& operator=(const DemoEngine&) = delete;

  Reader& reader() { return *reader_; }

 private:
  ScratchDir dir_{nullptr, ScratchDir::STAY};
  std::unique_ptr<Reader> reader_ = std::make_unique<Reader>();
};
