#include "support/fatal_catch.h"

#include "base/fatal.h"
#include "resources/reading_place.h"

namespace {

FatalHandler previousHandler = nullptr;

void ThrowFatal(int, const char*, const char* message) {
  throw FatalErrorThrown(message, PlaceLine(FatalPlaceNow(), message));
}

}  // namespace

CatchFatalErrors::CatchFatalErrors() { previousHandler = SetFatalHandler(ThrowFatal); }

CatchFatalErrors::~CatchFatalErrors() { SetFatalHandler(previousHandler); }
