// The resource archive: every file the engine reads is asked for by a path
// such as "DATA/configs/panels.txt" and answered with the name of a plain file.
//
// The archive's file and the reader's folder are the places given to
// ResourceUsePlaces (reader_places.h). A path given to ResourceRedirect is
// answered with the file named there. A path held in the archive is
// extracted, decoded where packed, into a temporary file "tmp_N.ext" that is
// deleted when its name is closed: created new, never through a link, in the
// reader's folder or, when that cannot take it, in the process's private
// folder (temp_files.h). Any other path is answered with its base name, a
// plain file in the reader's folder (which is how the setup file, the saved
// texts and the search pages come to live there). Paths match members and
// redirections without regard to ASCII case, '\' and '/' alike; when two
// members match, the later one in the archive wins. A path with a ".." part
// is answered by no place: its name, a base name under "/dev/null/", never
// opens, so that it is missing as a member would be. With an issue folder in
// the places, the folder takes the archive's part (issue_folder.h): a file
// found there is handed out under its own name, or extracted as a member is
// when that name is too long. Every failure is fatal.
// The archive is opened by the first request and held open, its directory in
// memory, until ResourceCloseAll (also run at exit): every member is read
// through that one open file, so a file renamed over the archive meanwhile
// is never read.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "base/path_limit.h"  // PATH_MAX_CHARS: the longest path asked for
#include "resources/reader_places.h"

constexpr int RESOURCE_HANDED_NAME_MAX = 259;  // characters of a handed-out name

// The places of every later opening of the archive and of every name handed
// out from now on; kept, through ResourceCloseAll too, until given again.
// Given while the archive is closed: an open archive stays the file it is.
void ResourceUsePlaces(const ReaderPlaces& places);

// Whether path, in any spelling, has been asked for or about (ResourceOpen,
// ResourceHas) since the places were last given: what an issue uses.
bool ResourceWasAsked(const char* path);

// The places given last.
const ReaderPlaces& ResourcePlacesInUse();

// Removes the temporary files "tmp_N..." in the reader's folder that no
// running reader holds: those that readers killed before their shutdown left.
void ResourceRemoveLeftovers();

// The reader's own file name (a bare file name) in the reader's folder; never
// a member of the archive.
std::string ResourceOwnFile(const char* name);

// A handed-out name as a reader working in its folder sees it: without the
// folder in front, so that messages read the same wherever the folder is.
std::string ResourceShownName(const char* name);

// An "EXE:" link's argument as the opener should get it: a relative name of a
// file beside the issue (in the issue folder, else beside the archive) is
// given with that folder in front; anything else is given as it is.
std::string ResourceIssueDocument(const std::string& argument);

// The name of a plain file holding path's contents; valid until it is closed.
const char* ResourceOpen(const char* path);

// From now on, until ResourceCloseAll, path is answered with fileName (a file
// written elsewhere, which closing leaves in place). False when fileName is
// too long to be handed out.
bool ResourceRedirect(const char* path, const std::string& fileName);

// Closes the newest handle whose name equals name, deleting its file when it
// was extracted. Fatal when the archive is closed.
void ResourceClose(const char* name);

// Whether the archive is open: from the first request until ResourceCloseAll.
bool ResourceArchiveIsOpen();

// The issue changed: its archive's file and directory (or its folder) are
// read again at the next request. Names handed out stay valid until given
// back; the redirections stay.
void ResourceReopen();

// Whether path would be answered with a file that exists: a member, a
// redirection or a plain file in the reader's folder.
bool ResourceHas(const char* path);

// A number that changes whenever the issue's files change: the archive's
// file, or the files under the issue folder's DATA/.
uint64_t ResourceIssueStamp();

// Closes the archive, forgets its directory and the redirections, deletes
// every extracted file still open and removes the private folder.
void ResourceCloseAll();

// Whether a and b name the same member: ASCII case and '\\' and '/' alike.
bool ResourceSamePath(std::string_view a, std::string_view b);

// How many paths have been asked for so far: a mark for ResourceNewestPath.
uint64_t ResourceRequestCount();

// The path of the newest request after mark whose handle is still open, or
// which failed before it got one (until ResourceCloseAll): the member a
// failing step was reading. Empty when there is none.
std::string ResourceNewestPath(uint64_t mark);
