// The music for its web site: every module the reader can play (the
// music list, the opening cover's tune and the modules "MSX:" links name)
// played once to its end and written as site/music/NAME.ogg, and the list
// the site's player walks.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "magtool/web/site_folder.h"

struct WebTune {
  std::string member;  // the archive path it was first named by
  std::string file;    // site-relative, "music/NAME.ogg"
  std::string title;   // the module's own title, else its file name
};

struct WebMusic {
  std::vector<WebTune> tunes;    // each module once: the music list's first, in its order
  std::vector<size_t> playlist;  // the music list's entries, as indices into tunes
};

// Writes every module of the issue whose archive places are in use; links
// are the "MSX:" link arguments ("+SILENCE" and "+PLIST" are no modules).
// Nothing is encoded until every module has loaded; the first failure's
// message, naming its member, when one does not.
std::optional<std::string> WriteWebMusic(const SiteFolder& site,
                                         const std::vector<std::string>& links, WebMusic& music);
