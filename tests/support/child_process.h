// Runs code in a forked child, so that a test can watch a process end.
#pragma once

#include <functional>
#include <string>

struct ChildResult {
  bool exited;     // ended through exit, not by a signal
  int status;      // the exit status when exited
  std::string out; // everything written to standard output
};

// body runs under the engine's own fatal policy (print, exit 0); returning is status 99.
ChildResult RunInChild(const std::function<void()>& body);

// Runs a command line through the shell, capturing standard output.
ChildResult RunCommand(const std::string& command);

// Runs the built magtool with the arguments, capturing both of its outputs.
ChildResult RunMagtool(const std::string& arguments);
