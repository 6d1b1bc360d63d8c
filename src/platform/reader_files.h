// Files the reader writes for its user. On the desktop they stay where they
// are written. A browser's page forgets its files when it closes: there the
// page keeps the settings and the history in the browser's storage, and hands
// a saved text to the user as a download.
#pragma once

#include <string>

// A file to find again at the next visit (settings, history), just written.
void ReaderFileKept(const std::string& path);

// A file written for the user to take (a saved text).
void ReaderFileSaved(const std::string& path);
