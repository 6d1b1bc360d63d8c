// One scoped guard for the fatal policy: a step run with the engine's fatal
// errors thrown through it instead of ending the process, and its fault handed
// back as the caller describes it (the message and where it struck: see
// resources/reading_place.h). Guards nest; the innermost takes the fault.
// Everywhere else a fatal error ends the process as fatal.h says.
#pragma once

#include <functional>
#include <optional>
#include <utility>

// While it lives, a fatal error calls thrower with its message; thrower
// throws. A fatal error inside thrower ends the process as if unguarded.
class FatalGuard {
 public:
  explicit FatalGuard(std::function<void(const char* message)> thrower);
  ~FatalGuard();
  FatalGuard(const FatalGuard&) = delete;
  FatalGuard& operator=(const FatalGuard&) = delete;
};

// What a guard throws: the fault as described, for a catch of its own kind.
template <typename Fault>
struct FaultThrown {
  Fault fault;
};

// Runs step; a fatal error in it ends the step and comes back as
// describe(message) made it. Nothing when the step ran through.
template <typename Fault, typename Describe>
std::optional<Fault> RunGuarded(const std::function<void()>& step, Describe describe) {
  const FatalGuard guard([&](const char* message) { throw FaultThrown<Fault>{describe(message)}; });
  try {
    step();
  } catch (const FaultThrown<Fault>& thrown) {
    return std::move(thrown.fault);
  }
  return std::nullopt;
}
