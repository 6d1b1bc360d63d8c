// The site being written: its folder, the files already in it, and the
// issue's pictures, faces and documents brought over once each. Faults are
// reported on standard error as they happen and remembered in failed.
#pragma once

#include <bitset>
#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "magtool/web/site_folder.h"
#include "magtool/web/web_music.h"
#include "pictures/picture.h"

// The framed page a "PIX:" link opens: the picture's PNG and the link's text.
struct PicturePage {
  std::string picture;  // from the site's root
  std::string alt;      // the title box text, escaped; may be empty
};

// A face of the fonts list as the site serves it.
struct SiteFace {
  std::string path;        // the fonts list's name
  std::string file;        // its WOFF2 in the site; empty when its licence withholds it
  bool subset = false;     // cut down to the characters drawn in it
  std::string family;      // the CSS family list its text is set in
  std::string whole;       // why it is not subset
  std::bitset<256> drawn;  // the engine's characters the pages set in it
};

struct Site {
  SiteFolder out;
  std::filesystem::path beside;   // where "EXE:" documents are found
  bool followLinks = false;       // a document's link that leads out of beside copied
  std::vector<SiteFace> faces;    // in the fonts list's order
  int sansFace = -1;              // the fallback face's index, or -1
  int panelCount = 0;             // the panels, which "PAN:" numbers wrap around
  std::set<std::string> written;  // names from the site's root
  std::set<std::string> missing;  // what was warned of, each once
  bool failed = false;
  WebMusic music;       // the tunes every page's player offers
  bool engine = false;  // the web engine and the archive are in the site
  std::string icon;     // the pages' icon, or empty
  std::map<std::string, PicturePage> picturePages;  // by page name, written after the articles
};

// Writes text as the file name (from the site's root), its folders made.
void WriteSiteFile(Site& site, const std::string& name, std::string_view text);

// The PNG of the picture at path: image when given, else loaded as
// the reader loads it. Empty, with a warning, when the issue lacks it.
std::string SitePicture(Site& site, const std::string& path, const Picture* image);

// The window icon ("DATA/panels/icon.bmp") as the site's "icon.png",
// for the browser's tab; empty when the issue has none the reader could show.
std::string SiteIcon(Site& site);

// A screen part (a panel strip) under name, without a transparent key.
void SiteScreenPicture(Site& site, const std::string& name, const Picture& image);

// A picture drawn keyed (an AniChain's sheet) under name, its key transparent.
void SiteKeyedPicture(Site& site, const std::string& name, const Picture& image);

// A file from outside the issue copied under name.
void SiteFile(Site& site, const std::filesystem::path& from, const std::string& name);

// An "EXE:" document copied from beside the issue into "files/"; empty, with
// a warning, when there is no such file there, or with a fault when it is a
// link that leads out of there.
std::string SiteDocument(Site& site, const std::string& argument);
