// Text files opened for reading as the engine's 8-bit text: a file saved in
// UTF-8 is converted whole when it is opened (see base/text_encoding.h), so
// that the line readers, and their length limits, see the converted bytes.
// Any other file is handed out as it is. Binary files never come here.
// Private to resources/: nothing outside it includes this header.
#pragma once

#include "resources/file_ptr.h"

// The text of the file name, positioned at its start; null when it cannot be
// opened.
FilePtr OpenTextFile(const char* name);
