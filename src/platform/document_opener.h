// "EXE:" links: the argument is handed to the desktop's opener, xdg-open, as
// one argument of its own, never through a shell and never as an option (a
// leading '-' is made a name in the current folder), since it comes from an
// article. The opener is not waited for; it is reaped within a frame of its
// end so that no zombie is left. A failure is silent. The openers started
// are the process's own children, so the list of them is the process's too.
#pragma once

#include <string>

// Starts the opener with argument.
void OpenDocument(const std::string& argument);

// Reaps the openers that have ended; every engine frame, the engine's shutdown
// and OpenDocument call it.
void ReapOpeners();
