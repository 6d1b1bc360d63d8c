// Fatal errors as exceptions while in scope, so that a test can check the message.
#pragma once

#include <stdexcept>
#include <string>

struct FatalErrorThrown : std::runtime_error { using std::runtime_error::runtime_error; };

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
  } catch (const FatalErrorThrown& error) { return error.what(); }
  return "";
}
