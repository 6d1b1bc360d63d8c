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

// The engine's fatal error, thrown by the check's handler.
struct CheckFailure : std::runtime_error {
  using std::runtime_error::runtime_error;
};

class CheckReport {
 public:
  void Add(const CheckSite& site, const std::string& message);
  const std::vector<std::string>& Lines() const { return lines_; }

  int32_t articles = 0, pictures = 0, modules = 0;  // checked without a problem

 private:
  std::vector<std::string> lines_;
  std::set<std::string> seen_;
};

// Runs step with the engine's fatal errors thrown. A caught one ends the step:
// its leftover archive handles are dropped and its message, on one line, is
// returned; nothing when the step ran through.
std::optional<std::string> RunStep(const std::function<void()>& step);

// RunStep, with a failure reported at site.
bool Attempt(CheckReport& report, const CheckSite& site, const std::function<void()>& step);
