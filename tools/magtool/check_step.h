// One step of magtool check: engine code run with its fatal errors thrown
// and caught, naming the member the step was reading when it failed.
#pragma once

#include <functional>
#include <optional>
#include <stdexcept>
#include <string>

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

// Runs step with the engine's fatal errors thrown. A caught one ends the step:
// its leftover archive handles are dropped and its failure is returned;
// nothing when the step ran through.
std::optional<StepFailure> RunStep(const std::function<void()>& step);
