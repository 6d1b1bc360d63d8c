// One tracker module played once to its end through libopenmpt, as the
// reader's mixer plays it, and encoded as an Ogg Vorbis file for the web.
#pragma once

#include <string>

#include "music/module_file.h"  // LoadModuleFile: the module as the reader plays it
#include "resources/file_ptr.h"

// A tune is cut there, so that a module that plays for hours stays a file of
// bounded size.
constexpr double WEB_TUNE_MAX_SECONDS = 600.0;
constexpr float WEB_TUNE_QUALITY = 0.35f;

// The module's own title; empty when it has none.
std::string TuneModuleTitle(openmpt_module& module);

// Plays module from its start to its end, or for maxSeconds, into the file
// out (closed when done), named name; false when it is not written whole.
bool EncodeTune(openmpt_module& module, FilePtr out, const std::string& name,
                const std::string& title, double maxSeconds);
