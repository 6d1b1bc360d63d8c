// Fatal errors as exceptions while in scope, so that a test can check the message.
#pragma once

#include <stdexcept>
#include <string>

struct FatalErrorThrown : std::runtime_error {
  FatalErrorThrown(const char* message, std::string place)
      : std::runtime_error(message), place(std::move(place)) {}
  std::string place;  // as the reader names it on standard error
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
  } catch (const FatalErrorThrown& error) { return error.what(); }
  return "";
}

// The place line of the fatal error that body raises, or "".
template <typename Body>
std::string FatalPlaceOf(Body&& body) {
  CatchFatalErrors scope;
  try {
    body();
  } catch (const FatalErrorThrown& error) { return error.place; }
  return "";
}
