#include "base/fatal.h"

#include <strings.h>

#include <charconv>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <initializer_list>
#include <new>
#include <vector>

#include "base/fatal_guard.h"

namespace {

FatalHandler fatalHandler = nullptr;
FatalAfterword fatalAfterword = nullptr;
bool ending = false;    // the afterword is running
bool throwing = false;  // a guard's thrower is running

// The guards in scope, the innermost last.
std::vector<std::function<void(const char*)>>& Guards() {
  static std::vector<std::function<void(const char*)>> guards;
  return guards;
}

// Throws through the innermost guard, if any.
void ThrowToGuard(const char* message) {
  if (Guards().empty() || throwing) return;
  struct Done {
    ~Done() { throwing = false; }
  } done;
  throwing = true;
  const std::function<void(const char*)> thrower = Guards().back();
  thrower(message);
}

// In parts through the stream's own buffer: no allocation.
void PrintFatalLine(int line, const char* file, const char* message) {
  char number[16] = {};
  std::to_chars(number, number + sizeof number - 1, line);
  const char* digits = number;
  std::fputs("\a\n PROGRAM: -- ERROR: ", stdout);
  if (file == nullptr) {
    for (const char* part : {"[", message, "] "}) std::fputs(part, stdout);
  } else {
    for (const char* part : {"at ", file, " ", digits, " : ", message, " "}) {
      std::fputs(part, stdout);
    }
  }
}

void OutOfMemory() { FatalError("Out Of Memory !"); }

}  // namespace

FatalHandler SetFatalHandler(FatalHandler handler) {
  FatalHandler previous = fatalHandler;
  fatalHandler = handler;
  return previous;
}

void SetFatalAfterword(FatalAfterword afterword) { fatalAfterword = afterword; }

FatalGuard::FatalGuard(std::function<void(const char*)> thrower) {
  Guards().push_back(std::move(thrower));
}

FatalGuard::~FatalGuard() { Guards().pop_back(); }

void FatalError(int line, const char* file, const char* message) {
  if (ending) std::exit(0);
  ThrowToGuard(message);
  if (fatalHandler != nullptr && !throwing) fatalHandler(line, file, message);
  PrintFatalLine(line, file, message);
  std::fflush(stdout);
  if (fatalAfterword != nullptr) {
    ending = true;
    fatalAfterword(message);
  }
  std::exit(0);
}

void InstallOutOfMemoryHandler() { std::set_new_handler(OutOfMemory); }

void* AllocZeroed(size_t size) {
  constexpr size_t slack = 4;
  void* block = size <= SIZE_MAX - slack ? std::calloc(1, size + slack) : nullptr;
  if (block == nullptr) FatalError("Out Of Memory !");
  return block;
}

void FreeBlock(void* block) { std::free(block); }

int StrCaseCompare(const char* a, const char* b) { return strcasecmp(a, b); }
