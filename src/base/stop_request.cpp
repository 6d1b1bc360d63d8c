#include "base/stop_request.h"

#include <csignal>

namespace {

volatile std::sig_atomic_t stopRequested = 0;

}  // namespace

void RequestStop() { stopRequested = 1; }

bool StopRequested() { return stopRequested != 0; }
