// The pictures a start-up loads, written into the current directory where
// the archive's fallback finds them: an empty data.rs, cursor.png and a
// 640x480 plasma.gif.
#pragma once

void WriteStartupFiles();
