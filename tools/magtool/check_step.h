// One step of magtool check: engine code run with its fatal errors thrown
// and caught (base/fatal_guard.h), naming the member the step was reading
// when it failed.
#pragma once

#include <exception>
#include <functional>
#include <optional>
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

// The failure of a fatal error the engine caught and kept during a step.
StepFailure KeptFailure(const std::exception_ptr& fault);

// Runs step with the engine's fatal errors thrown. A caught one ends the step:
// its leftover archive handles are dropped and its failure is returned;
// nothing when the step ran through.
std::optional<StepFailure> RunStep(const std::function<void()>& step);
