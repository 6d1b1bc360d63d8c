// Fatal errors and memory: the one failure policy of the engine.
//
// Every failure the engine detects ends in FatalError: one line on standard
// output, a flush, and the normal process exit with status 0, so that the
// handlers registered with atexit (SDL shut down, temporary files removed) run.
// The line is written without allocating, so that exhausted memory can be
// reported the same way.
// A step run under a guard (fatal_guard.h) has its faults thrown to the
// guard instead. A test may install a handler of its own in place of the
// exit; a handler that returns still ends the process.
#pragma once

#include <cstddef>

using FatalHandler = void (*)(int line, const char* file, const char* message);

// Never returns. Prints "\a\n PROGRAM: -- ERROR: [message] ", or the long
// form "\a\n PROGRAM: -- ERROR: at file line : message " when file is not
// null. Every engine caller passes line 0 and a null file.
[[noreturn]] void FatalError(int line, const char* file, const char* message);
[[noreturn]] inline void FatalError(const char* message) { FatalError(0, nullptr, message); }

// Makes a failed operator new (containers included) end the program with
// "Out Of Memory !" through FatalError instead of throwing std::bad_alloc.
void InstallOutOfMemoryHandler();

// Puts handler in place of the exit; null restores it. Returns the previous one.
FatalHandler SetFatalHandler(FatalHandler handler);

// Called with the message after the line is printed, before the exit: the
// reader names the error's place there. Null removes it. A fatal error inside
// it ends the process at once.
using FatalAfterword = void (*)(const char* message);
void SetFatalAfterword(FatalAfterword afterword);

// A zero-filled block of at least size bytes, with 4 spare zero bytes behind it
// (the slack for readers that look a few bytes past their data). Never null:
// exhaustion ends the program with "Out Of Memory !".
void* AllocZeroed(size_t size);
void FreeBlock(void* block);  // null is allowed

// Case-insensitive comparison of ASCII letters; the sign as strcmp's.
int StrCaseCompare(const char* a, const char* b);
