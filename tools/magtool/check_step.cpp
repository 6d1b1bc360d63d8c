#include "magtool/check_step.h"

#include <cstdint>

#include "base/fatal_guard.h"
#include "base/line_reader.h"
#include "resources/archive.h"

StepFailure KeptFailure(const std::exception_ptr& fault) {
  try {
    std::rethrow_exception(fault);
  } catch (const FaultThrown<StepFailure>& thrown) {
    return thrown.fault;
  }
}

std::optional<StepFailure> RunStep(const std::function<void()>& step) {
  // The members the step asked for come after this.
  const uint64_t mark = ResourceRequestCount();
  std::optional<StepFailure> failure = RunGuarded<StepFailure>(step, [mark](const char* message) {
    std::vector<FatalPlace> places = ReadingPlaces();
    std::string text = message;
    if (!places.empty() && !places.back().culprit.empty() && !places.back().culpritIsMember) {
      text += " (" + places.back().culprit + ")";
    }
    return StepFailure{OneLine(text), ResourceNewestPath(mark), std::move(places)};
  });
  // The failed step may leave members open: no later step needs them.
  if (failure) ResourceCloseAll();
  return failure;
}
