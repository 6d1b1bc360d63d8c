#include "engine/fatal.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <strings.h>

namespace {
FatalHandler fatalHandler = nullptr;
}

std::string FatalErrorText(int line, const char* file, const char* message) {
  if (file != nullptr) {
    return std::string("\a\n PROGRAM: -- ERROR: at ") + file + " " + std::to_string(line) +
           " : " + message + " ";
  }
  return std::string("\a\n PROGRAM: -- ERROR: [") + message + "] ";
}

FatalHandler SetFatalHandler(FatalHandler handler) {
  FatalHandler previous = fatalHandler;
  fatalHandler = handler;
  return previous;
}

void FatalError(int line, const char* file, const char* message) {
  if (fatalHandler != nullptr) fatalHandler(line, file, message);
  std::fputs(FatalErrorText(line, file, message).c_str(), stdout);
  std::fflush(stdout);
  std::exit(0);
}

void* AllocZeroed(size_t size) {
  constexpr size_t slack = 4;
  void* block = size <= SIZE_MAX - slack ? std::calloc(1, size + slack) : nullptr;
  if (block == nullptr) FatalError("Out Of Memory !");
  return block;
}

void FreeBlock(void* block) { std::free(block); }

int StrCaseCompare(const char* a, const char* b) { return strcasecmp(a, b); }
