#include "platform/reader_files.h"

void ReaderFileKept(const std::string&) {}

void ReaderFileSaved(const std::string&) {}
