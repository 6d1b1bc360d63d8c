// The findings of magtool check: one line per problem, "path:line: message"
// or "path: message", and per warning, "path:line: warning: message" (what
// the reader passes over or shows wrongly without stopping), each at most
// once, in the order found.
#pragma once

#include <cstdint>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "magtool/check_step.h"

// Where a problem lies: an issue-relative path and a 1-based line, or 0.
struct CheckSite {
  std::string path;
  int32_t line = 0;
};

class CheckReport {
 public:
  void Add(const CheckSite& site, const std::string& message);
  // The message naming the member it concerns, failure.member or else member,
  // unless that is site's own file: "message (path)", or "(path: not in the
  // issue)" for a member the issue lacks. The reader's line names none. A
  // GIF or BMP the loader refused gets a warning on why.
  void Add(const CheckSite& site, const StepFailure& failure, const std::string& member = {});
  void Warn(const CheckSite& site, const std::string& message);
  const std::vector<std::string>& Lines() const { return lines_; }
  int32_t Warnings() const { return warnings_; }
  int32_t Problems() const { return static_cast<int32_t>(lines_.size()) - warnings_; }

  int32_t articles = 0, pictures = 0, modules = 0;  // checked without a problem

 private:
  void HintRefusal(const StepFailure& failure, const std::string& member);

  std::vector<std::string> lines_;
  std::set<std::string> seen_;
  int32_t warnings_ = 0;
};

// RunStep, with a failure reported at site, naming member when it names none.
bool Attempt(CheckReport& report, const CheckSite& site, const std::function<void()>& step,
             const std::string& member = {});
