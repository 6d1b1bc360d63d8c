#include "magtool/check_step.h"

#include <cstdint>

#include "base/line_reader.h"
#include "resources/archive.h"

namespace {

// The archive's request count when the innermost running step began: the
// members it asked for come after it.
uint64_t stepMark = 0;

// Sets the mark for one step and puts the outer step's back.
class StepMark {
 public:
  StepMark() : outer_(stepMark) { stepMark = ResourceRequestCount(); }
  ~StepMark() { stepMark = outer_; }
  StepMark(const StepMark&) = delete;
  StepMark& operator=(const StepMark&) = delete;

 private:
  uint64_t outer_;
};

}  // namespace

void ThrowCheckFailure(int, const char*, const char* message) {
  std::vector<FatalPlace> places = ReadingPlaces();
  std::string text = message;
  if (!places.empty() && !places.back().culprit.empty() && !places.back().culpritIsMember) {
    text += " (" + places.back().culprit + ")";
  }
  throw CheckFailure(text, ResourceNewestPath(stepMark), std::move(places));
}

StepFailure KeptFailure(const std::exception_ptr& fault) {
  try {
    std::rethrow_exception(fault);
  } catch (const CheckFailure& failure) {
    return StepFailure{OneLine(failure.what()), failure.member, failure.places};
  }
}

std::optional<StepFailure> RunStep(const std::function<void()>& step) {
  const StepMark mark;
  try {
    step();
    return std::nullopt;
  } catch (const CheckFailure& failure) {
    // The failed step may leave members open: no later step needs them.
    ResourceCloseAll();
    return StepFailure{OneLine(failure.what()), failure.member, failure.places};
  }
}
