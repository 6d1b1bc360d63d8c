// One step of magtool check: engine code run with its fatal errors thrown
// and caught, naming the member the step was reading when it failed.
#pragma once

#include <exception>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "resources/reading_place.h"

// A failed step: the engine's message on one line (with what a tag could not
// read), the member the step was reading when it failed (empty when none),
// and the places the engine marked as it read.
struct StepFailure {
  std::string message;
  std::string member;
  std::vector<FatalPlace> places;
};

// The engine's fatal error, thrown by the check's handler.
struct CheckFailure : std::runtime_error {
  CheckFailure(const std::string& message, std::string member, std::vector<FatalPlace> places)
      : std::runtime_error(message), member(std::move(member)), places(std::move(places)) {}
  std::string member;
  std::vector<FatalPlace> places;
};

// The check's fatal handler: throws CheckFailure with the member the running
// step was reading.
[[noreturn]] void ThrowCheckFailure(int line, const char* file, const char* message);

// The failure of a fatal error the engine caught and kept (a CheckFailure).
StepFailure KeptFailure(const std::exception_ptr& fault);

// Runs step with the engine's fatal errors thrown. A caught one ends the step:
// its leftover archive handles are dropped and its failure is returned;
// nothing when the step ran through.
std::optional<StepFailure> RunStep(const std::function<void()>& step);
