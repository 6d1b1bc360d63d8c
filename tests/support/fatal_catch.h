// Turns fatal errors into exceptions for the duration of a test, so that the
// message can be checked without ending the test process.
#pragma once

#include <stdexcept>
#include <string>

struct FatalErrorThrown : std::runtime_error {
  using std::runtime_error::runtime_error;
};

class CatchFatalErrors {
 public:
  CatchFatalErrors();
  ~CatchFatalErrors();
  CatchFatalErrors(const CatchFatalErrors&) = delete;
  CatchFatalErrors& operator=(const CatchFatalErrors&) = delete;
};

// The message of the fatal error that body raises, or "" when it raises none.
template <typename Body>
std::string FatalMessageOf(Body&& body) {
  CatchFatalErrors scope;
  try {
    body();
  } catch (const FatalErrorThrown& error) {
    return error.what();
  }
  return "";
}
