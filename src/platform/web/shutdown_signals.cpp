#include "platform/shutdown_signals.h"

#include "base/stop_request.h"

// A page has no signals: closing its tab ends the reader.
void InstallShutdownSignals() {}

bool ShutdownRequested() { return StopRequested(); }
