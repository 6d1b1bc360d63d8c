// A request to end the program, raised by a signal handler and looked at by
// the work that can last long (the main loop, the layout of a huge article),
// which then ends early so that the program ends through its usual shutdown.
#pragma once

// Raises the request. Safe in a signal handler.
void RequestStop();

// True once the request is raised.
bool StopRequested();
