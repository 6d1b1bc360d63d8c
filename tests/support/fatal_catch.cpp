#include "support/fatal_catch.h"

#include "base/fatal.h"

namespace {

FatalHandler previousHandler = nullptr;

void ThrowFatal(int, const char*, const char* message) { throw FatalErrorThrown(message); }

}  // namespace

CatchFatalErrors::CatchFatalErrors() { previousHandler = SetFatalHandler(ThrowFatal); }

CatchFatalErrors::~CatchFatalErrors() { SetFatalHandler(previousHandler); }
