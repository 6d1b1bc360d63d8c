// Ending the reader from outside: SIGTERM, SIGINT and SIGHUP only raise a flag,
// all that a signal handler may safely do (base/stop_request.h). The main loop
// ends after its frame once the flag is up, and the loops that can last long
// within one frame (page animations, the setup dialog's wait, an article's
// layout) leave early, so that the reader ends within a second through its
// usual shutdown.
#pragma once

// Installs the handlers. Called before SDL starts: SDL only takes signals left
// at their default, and would otherwise turn them into window-close requests.
// A signal ignored by whoever started the reader (nohup) stays ignored.
void InstallShutdownSignals();

// True once one of the signals has come.
bool ShutdownRequested();
