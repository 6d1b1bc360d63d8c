// `magtool check` run on the issue in the background for a watching reader,
// which shows its lines: "path:line: message" for a fault, the warnings of
// the article shown. The checker is the program beside the reader's own,
// when there is one.
#pragma once

#include <sys/types.h>

#include <optional>
#include <string>
#include <vector>

class CheckerRun {
 public:
  CheckerRun() = default;
  ~CheckerRun();
  CheckerRun(const CheckerRun&) = delete;
  CheckerRun& operator=(const CheckerRun&) = delete;

  // Starts `program check target`, stopping a run still going; false when it
  // cannot be started.
  bool Start(const std::string& program, const std::string& target);

  // Once the run has ended: its report (at most its first 64 KiB); nothing
  // while it runs or when none is running. An ended run is forgotten.
  std::optional<std::string> Poll();

  // Leaves a run still going to finish on its own (killed, the checker would
  // leave its working folder behind); it is reaped by later calls.
  void Stop();

 private:
  struct Child {
    pid_t pid;
    int output;
  };
  void Reap();

  Child running_{-1, -1};
  std::string text_;
  std::vector<Child> finishing_;
};

// The checker beside the running program; empty when there is none.
std::string CheckerBesideReader();
