// The magtool commands. Each returns the process exit status and reports its
// problems on standard error.
#pragma once

#include <string>

struct PackOptions {
  bool store = false;        // no member HUFF-packed
  bool followLinks = false;  // links that lead out of the folder packed too
  bool quiet = false;        // what is left out not reported
};

// Packs every regular file under dir, named by its path relative to dir with
// '/' separators, in sorted name order; HUFF-packed where smaller unless store.
// The archive and its ".partial" file are never packed; what is left out
// (links to folders or to nothing, FIFOs) is reported as a warning. A link
// that leads out of dir unless followLinks, a path that cannot be read or a
// file of 2 GiB or more ends it with status 1.
int PackCommand(const std::string& dir, const std::string& archive, const PackOptions& options);

// One line per member in file order: name, size, stored size, huff or stored.
int ListCommand(const std::string& archive);

// Writes every member under destDir; refuses the whole archive when a name is
// absolute, has a ".." part or would pass through a link below destDir.
int ExtractCommand(const std::string& archive, const std::string& destDir);

// Decodes every member and checks its size; status 1 at the first fault.
int VerifyCommand(const std::string& archive);

struct RenderOptions {
  std::string source;  // an archive or an unpacked issue folder
  std::string article;
  std::string out;
  int panel = 0;
  int page = 0;                  // page steps forward from the first page
  int bpp = 32;                  // 15, 16 or 32
  int mouseX = -1, mouseY = -1;  // outside the window by default
  bool outline = false;          // the text area, justification limit and picture boxes drawn over
};

// Draws the reader's frame of the article into a 640x480 PNG as the screen of
// that depth shows it; status 1 with the reader's message on a fatal error.
int RenderCommand(const RenderOptions& options);

struct SheetOptions {
  std::string source;  // an archive or an unpacked issue folder
  std::string out;
  int panel = 0;
  int width = 160, height = 120;  // each thumbnail's, up to the screen's
};

// Draws every page of every article the reader can reach, in the walk's
// order, as quarter-size labelled thumbnails into one PNG, and prints one
// line per page and link target: "ARTICLE p.K -> TARGET", an article's path
// or another kind with its kind ("PIX:..."). Status 1 with the reader's
// message on a fatal error.
int SheetCommand(const SheetOptions& options);

struct WebOptions {
  std::string source;        // an archive or an unpacked issue folder
  std::string out;           // the site's folder, made when missing
  bool followLinks = false;  // as pack's
  bool engine = true;        // the web engine carried when found
};

// Writes the issue as a static web site into out: one page per article the
// reader can reach, with the pictures as PNG, the listed faces, the panels'
// strips and the "EXE:" documents found beside the issue. Links are
// relative and nothing comes from outside the site. Unless told otherwise
// it carries the web engine when it finds one (see FindWebEngine), with the
// issue's archive as "data.rs" (a folder packed as pack packs it), and every
// page links into it; a note says when none is found. Nothing is written
// through a link below out. Status 1 with the reason when the issue cannot be
// read, a link leads out of it (see PackCommand) or a file cannot be written.
int WebCommand(const WebOptions& options);

// Loads the issue, an unpacked directory or an archive, as the reader would
// and prints every problem as "path:line: message" or "path: message", and
// every warning as "path:line: warning: message"; status 1 when there is a
// problem (or, when strict, a warning), else 0; a one-line summary when there
// is no problem.
int CheckCommand(const std::string& path, bool strict);

// Writes a small, complete issue named name (UTF-8) into dir, a new or empty
// folder: panel, fonts, covers, tunes, keys, search files, the contents, help
// and menu articles and the name file. Status 1, with the reason, when dir
// holds anything or the name cannot be shown by the reader.
int NewCommand(const std::string& dir, const std::string& name);
