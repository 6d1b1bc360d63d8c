// Files that no other process can have made or pointed elsewhere: each one is
// created new (never an existing name, never through a link), taking the next
// number while names are taken; and the process's private folder, made under
// $TMPDIR (else /tmp) with mode 0700 on first need, for what the
// reader's folder cannot take. The folder goes with everything in it at
// RemovePrivateFolder or at exit, and only in the process that made it.
// Each created file is locked (flock) while a descriptor of it is open, so
// that a leftover of a killed reader, whose locks the kernel dropped, can be
// told from a file of a running one.
// Private to resources/: nothing outside it includes this header.
#pragma once

#include <string>
#include <string_view>

#include "base/fd_handle.h"
#include "resources/file_ptr.h"

// Names tried before giving up on a folder: bounded, so that a folder full of
// leftovers ends the search.
constexpr int TEMP_MAX_TRIES = 1000;

// Creates prefix + N + suffix, open for writing and locked, for the first
// free N from number on; number is left past the last N tried. mode is
// open(2)'s (the umask applies). Null with errno set when no name could be
// created (EEXIST when every name tried was taken); name then holds the last
// name tried.
FilePtr CreateNumberedFile(const std::string& prefix, int& number, const std::string& suffix,
                           int mode, std::string& name);

// A descriptor of a created file, which keeps its lock after its stream is
// closed; none when it cannot be had.
FdHandle LockOf(FILE* created);

// Removes the regular files of folder ("" for the current one) named prefix,
// digits and an optional ".suffix" that no process holds locked: what killed
// processes left.
void RemoveUnheldFiles(const std::string& folder, std::string_view prefix);

// The private folder's path ending in '/', made on first need; empty, with
// errno set, when it cannot be made.
std::string PrivateFolder();

// Removes the private folder and its contents; the next need makes a new one.
void RemovePrivateFolder();
