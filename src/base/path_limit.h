// The longest path the engine keeps: what a 1 KiB line buffer holds less its
// NUL. Requests to the archive, list lines and article paths are cut to it.
#pragma once

#include <cstddef>

constexpr size_t PATH_MAX_CHARS = 1023;
