// An owned stdio stream, so that a fatal error handled by a throwing handler
// leaves no stream open.
#pragma once

#include <cstdio>
#include <memory>

struct FileCloser {
  void operator()(FILE* file) const { std::fclose(file); }
};
using FilePtr = std::unique_ptr<FILE, FileCloser>;

// fopen's modes. A mode that reads ("r", "rb", ...) opens only a regular file:
// a FIFO, device or folder planted under the name is refused at once, without
// the open ever waiting for a writer, and null is returned with errno EISDIR
// for a folder, else ENXIO, as for a file that cannot be read.
FilePtr OpenFile(const char* name, const char* mode);
