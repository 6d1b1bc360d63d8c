// Files written whole: the bytes go to a new file beside the target, are
// flushed to the disk and renamed over the target, so that a crash or a full
// disk leaves the old file or the new one, never a part of either. A failed
// write removes its partial file and leaves the target as it was.
#pragma once

#include <string>
#include <string_view>

// Writes bytes as the whole of the file name; false, with the reason, when
// it could not.
bool WriteWholeFile(const std::string& name, std::string_view bytes, std::string& error);

// WriteWholeFile that reports a failure with one line on standard output,
// "Cannot write NAME: REASON", and goes on.
bool SaveWholeFile(const std::string& name, std::string_view bytes);

// SaveWholeFile for a name in the reader's folder that, when the folder
// cannot take it, goes to the same name in the private folder (see
// temp_files.h) instead; the one line then says where. The name written, or
// empty when neither place took it.
std::string SaveWholeFileOrPrivate(const std::string& name, std::string_view bytes);
