#include "platform/shutdown_signals.h"

#include <csignal>
#include <initializer_list>

#include "base/stop_request.h"

namespace {

void OnShutdownSignal(int) { RequestStop(); }

}  // namespace

void InstallShutdownSignals() {
  struct sigaction action {};
  action.sa_handler = OnShutdownSignal;
  sigemptyset(&action.sa_mask);
  // Reads and writes in flight go on: a signal must not look like a broken file.
  action.sa_flags = SA_RESTART;
  for (int signal : {SIGTERM, SIGINT, SIGHUP}) {
    struct sigaction previous {};
    if (sigaction(signal, nullptr, &previous) == 0 && previous.sa_handler == SIG_IGN) continue;
    sigaction(signal, &action, nullptr);
  }
}

bool ShutdownRequested() { return StopRequested(); }
