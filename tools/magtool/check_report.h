// The findings of magtool check: one line per problem, "path:line: message"
// or "path: message", each at most once, in the order found.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

// Where a problem lies: an issue-relative path and a 1-based line, or 0.
struct CheckSite {
  std::string path;
  int32_t line = 0;
};

// A failed step: the engine's message on one line, and the member the step
// was reading when it failed (empty when none).
struct StepFailure {
  std::string message;
  std::string member;
};

// The engine's fatal error, thrown by the check's handler.
struct CheckFailure : std::runtime_error {
  CheckFailure(const char* message, std::string member)
      : std::runtime_error(message), member(std::move(member)) {}
  std::string member;
};

// The check's fatal handler: throws CheckFailure with the member the running
// step was reading.
[[noreturn]] void ThrowCheckFailure(int line, const char* file, const char* message);

class CheckReport {
 public:
  void Add(const CheckSite& site, const std::string& message);
  // The message naming the member it concerns, failure.member or else member,
  // unless that is site's own file: "message (path)", or "(path: not in the
  // issue)" for a member the issue lacks. The reader's line names none.
  void Add(const CheckSite& site, const StepFailure& failure, const std::string& member = {});
  const std::vector<std::string>& Lines() const { return lines_; }

  int32_t articles = 0, pictures = 0, modules = 0;  // checked without a problem

 private:
  std::vector<std::string> lines_;
  std::set<std::string> seen_;
};

// Runs step with the engine's fatal errors thrown. A caught one ends the step:
// its leftover archive handles are dropped and its failure is returned;
// nothing when the step ran through.
std::optional<StepFailure> RunStep(const std::function<void()>& step);

// RunStep, with a failure reported at site, naming member when it names none.
bool Attempt(CheckReport& report, const CheckSite& site, const std::function<void()>& step,
             const std::string& member = {});
