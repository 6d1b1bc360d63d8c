#include "base/fatal.h"

#include <strings.h>

#include <charconv>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <initializer_list>
#include <new>

namespace {

FatalHandler fatalHandler = nullptr;
FatalAfterword fatalAfterword = nullptr;
bool ending = false;  // the afterword is running

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

void FatalError(int line, const char* file, const char* message) {
  if (ending) std::exit(0);
  if (fatalHandler != nullptr) fatalHandler(line, file, message);
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
