#include "resources/archive.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "base/fatal.h"
#include "resources/archive_format.h"
#include "resources/byte_reader.h"
#include "resources/file_ptr.h"
#include "resources/issue_folder.h"
#include "resources/reading_place.h"
#include "resources/temp_files.h"

namespace {

constexpr int TEMP_FILE_MODE = 0600;
constexpr const char* PATH_TOO_LONG = "Resource path too long !";
// A folder that no name under it can ever be opened in: a name handed out
// there fails every open as a missing file does.
constexpr std::string_view NOWHERE = "/dev/null/";

struct ResourceHandle {
  char name[RESOURCE_HANDED_NAME_MAX + 1];
  int isTemporary;   // extracted by the archive, deleted when closed
  FdHandle lock;     // held until then, so that no starting reader removes it
  std::string path;  // as asked for
  uint64_t request;  // its number among all requests
};

struct Redirect {
  std::string foldedPath;
  std::string fileName;
};

struct ResourceArchive {
  bool isOpen = false;
  bool directoryRead = false;  // the file and its directory, read again after a reopen
  bool exitHandlerRegistered = false;
  FilePtr file;  // held, so that a file renamed over the archive is never read
  std::vector<ResourceEntry> entries;                    // file order; lookups walk from the back
  std::vector<std::unique_ptr<ResourceHandle>> handles;  // newest at the back
  std::vector<Redirect> redirects;
  ReaderPlaces places;    // kept through closing: a check reopens the archive after a failure
  int tempCounter = 0;    // never reset, so names stay unique for the run
  uint64_t requests = 0;  // never reset, so that marks stay comparable
  std::string pending;    // the request being answered, left behind by a failure
  std::set<std::string>
      asked;  // every path asked for or about, folded, since the places were given
};

ResourceArchive& Archive() {
  static ResourceArchive archive;
  return archive;
}

void OpenArchive(ResourceArchive& archive) {
  archive.isOpen = true;
  if (!archive.exitHandlerRegistered) {
    std::atexit(ResourceCloseAll);
    archive.exitHandlerRegistered = true;
  }
  archive.file.reset();
  archive.entries.clear();
  // Its faults are the archive's or the folder's, not the member's asked for.
  const ReadingMark mark(archive.places.issueFolder.empty() ? archive.places.archive
                                                            : archive.places.issueFolder);
  if (!archive.places.issueFolder.empty()) {
    std::error_code error;
    if (!std::filesystem::is_directory(archive.places.issueFolder, error)) {
      FatalError("Cannot open resource file !");
    }
  } else {
    archive.file = OpenFile(archive.places.archive.c_str(), "rbe");
    if (!archive.file) FatalError("Cannot open resource file !");
    DirectoryResult result = ReadResourceDirectory(archive.file.get(), archive.entries);
    if (result != DirectoryResult::Ok) FatalError("Broken resource file !");
  }
  archive.directoryRead = true;
}

char FoldChar(char c) {
  if (c >= 'a' && c <= 'z') return static_cast<char>(c - 'a' + 'A');
  return c == '\\' ? '/' : c;
}

std::string FoldName(std::string_view name) {
  std::string folded(name);
  std::transform(folded.begin(), folded.end(), folded.begin(), FoldChar);
  return folded;
}

const ResourceEntry* FindEntry(const ResourceArchive& archive, const char* path) {
  if (path[0] == '\0') return nullptr;
  std::string wanted = FoldName(path);
  for (auto it = archive.entries.rbegin(); it != archive.entries.rend(); ++it) {
    if (it->header.name[0] != '\0' && FoldName(it->header.name) == wanted) return &*it;
  }
  return nullptr;
}

const char* BaseName(const char* path) {
  const char* base = path;
  for (const char* p = path; *p != '\0'; ++p) {
    if (*p == '/' || *p == '\\') base = p + 1;
  }
  return base;
}

ResourceHandle& AddHandle(ResourceArchive& archive, const std::string& name, int isTemporary,
                          FdHandle lock = FdHandle()) {
  if (name.size() > RESOURCE_HANDED_NAME_MAX) FatalError(PATH_TOO_LONG);
  auto handle = std::make_unique<ResourceHandle>();
  std::memcpy(handle->name, name.c_str(), name.size() + 1);
  handle->isTemporary = isTemporary;
  handle->lock = std::move(lock);
  archive.handles.push_back(std::move(handle));
  return *archive.handles.back();
}

// A created file whose name cannot be handed out is removed again.
bool Handable(FilePtr& file, const std::string& name) {
  if (name.size() <= RESOURCE_HANDED_NAME_MAX) return true;
  file.reset();
  std::remove(name.c_str());
  return false;
}

// Writes bytes into a created file and closes it; a file that could not take
// them is removed.
bool WriteAndClose(FilePtr& file, const std::string& name, const std::vector<uint8_t>& bytes) {
  bool written = bytes.empty() || std::fwrite(bytes.data(), bytes.size(), 1, file.get()) == 1;
  written = std::fclose(file.release()) == 0 && written;
  if (!written) std::remove(name.c_str());
  return written;
}

// Writes an extracted member into a new temporary file, in the reader's
// folder or, when that cannot take it (not writable, full), in the
// private folder, and hands its name out.
ResourceHandle& WriteTempFile(ResourceArchive& archive, const char* path,
                              const std::vector<uint8_t>& bytes) {
  // The suffix comes from the base name, so that it never holds a directory.
  const char* dot = std::strrchr(BaseName(path), '.');
  const std::string suffix = dot != nullptr ? dot : "";
  std::string name;
  const std::string inFolder = InReaderFolder(archive.places, "tmp_");
  FilePtr file = CreateNumberedFile(inFolder, archive.tempCounter, suffix, TEMP_FILE_MODE, name);
  if (file && !Handable(file, name)) FatalError(PATH_TOO_LONG);
  if (file) {
    FdHandle lock = LockOf(file.get());
    if (WriteAndClose(file, name, bytes)) return AddHandle(archive, name, 1, std::move(lock));
  }
  const std::string folder = PrivateFolder();
  if (!folder.empty()) {
    const std::string prefix = folder + "tmp_";
    file = CreateNumberedFile(prefix, archive.tempCounter, suffix, TEMP_FILE_MODE, name);
  }
  if (!file || !Handable(file, name)) {
    FatalError("Cannot save temporary file ! (On C:\\ or in current dir)");
  }
  FdHandle lock = LockOf(file.get());
  if (!WriteAndClose(file, name, bytes)) FatalError("Write error !");
  return AddHandle(archive, name, 1, std::move(lock));
}

ResourceHandle& Extract(ResourceArchive& archive, const char* path, const ResourceEntry& entry) {
  FILE* in = archive.file.get();
  MemberResult result = CheckResourceMember(entry, ArchiveLength(in));
  std::vector<uint8_t> bytes;
  if (result == MemberResult::Ok) result = ReadResourceMember(in, entry, bytes);
  if (result == MemberResult::ReadError) FatalError("Read error !");
  if (result == MemberResult::HuffBroken) FatalError("HUFF broken !");
  return WriteTempFile(archive, path, bytes);
}

const std::string* FindRedirect(const ResourceArchive& archive, const std::string& foldedPath) {
  for (const Redirect& redirect : archive.redirects) {
    if (redirect.foldedPath == foldedPath) return &redirect.fileName;
  }
  return nullptr;
}

// A member of an unpacked issue is handed out where it lies; one whose name
// is too long to be handed out is read into a temporary file instead.
ResourceHandle& FolderMember(ResourceArchive& archive, const char* path, const std::string& file) {
  if (file.size() <= RESOURCE_HANDED_NAME_MAX) return AddHandle(archive, file, 0);
  FilePtr in = OpenFile(file.c_str(), "rb");
  std::vector<uint8_t> bytes;
  if (!in || !ReadRest(in.get(), bytes)) FatalError("Read error !");
  return WriteTempFile(archive, path, bytes);
}

// What answers a path, in this order: a redirection, a file of the issue
// folder or a member of the archive; with none of them, the plain file of its
// base name in the reader's folder.
struct Answer {
  const std::string* redirect = nullptr;
  std::optional<std::string> folderFile;
  const ResourceEntry* entry = nullptr;
};

Answer FindAnswer(const ResourceArchive& archive, const char* path) {
  Answer answer;
  answer.redirect = FindRedirect(archive, FoldName(path));
  if (answer.redirect != nullptr) return answer;
  if (!archive.places.issueFolder.empty()) {
    answer.folderFile = FindInIssueFolder(archive.places.issueFolder, path);
  } else {
    answer.entry = FindEntry(archive, path);
  }
  return answer;
}

std::string PlainFile(const ResourceArchive& archive, const char* path) {
  return InReaderFolder(archive.places, BaseName(path));
}

// A path with a ".." part points out of the issue: no place answers it, not
// even the base name in the reader's folder, so that the reader and the
// checker agree that it is missing.
bool LeavesTheIssue(std::string_view path) {
  for (size_t start = 0; start <= path.size();) {
    const size_t end = std::min(path.find_first_of("/\\", start), path.size());
    if (path.substr(start, end - start) == "..") return true;
    start = end + 1;
  }
  return false;
}

ResourceHandle& OpenHandle(ResourceArchive& archive, const char* path) {
  if (LeavesTheIssue(path)) return AddHandle(archive, std::string(NOWHERE) + BaseName(path), 0);
  const Answer answer = FindAnswer(archive, path);
  if (answer.redirect != nullptr) return AddHandle(archive, *answer.redirect, 0);
  if (answer.folderFile) return FolderMember(archive, path, *answer.folderFile);
  if (answer.entry != nullptr) return Extract(archive, path, *answer.entry);
  return AddHandle(archive, PlainFile(archive, path), 0);
}

}  // namespace

void ResourceUsePlaces(const ReaderPlaces& places) {
  Archive().places = places;
  Archive().asked.clear();
}

bool ResourceWasAsked(const char* path) { return Archive().asked.count(FoldName(path)) != 0; }

const ReaderPlaces& ResourcePlacesInUse() { return Archive().places; }

void ResourceRemoveLeftovers() { RemoveUnheldFiles(InReaderFolder(Archive().places, ""), "tmp_"); }

std::string ResourceOwnFile(const char* name) { return InReaderFolder(Archive().places, name); }

std::string ResourceShownName(const char* name) {
  const std::string folder = InReaderFolder(Archive().places, "");
  const std::string_view shown(name);
  if (shown.starts_with(NOWHERE)) return std::string(shown.substr(NOWHERE.size()));
  return shown.starts_with(folder) ? std::string(shown.substr(folder.size())) : std::string(shown);
}

std::string ResourceIssueDocument(const std::string& argument) {
  const ReaderPlaces& places = Archive().places;
  const std::filesystem::path relative(argument);
  if (argument.empty() || relative.is_absolute()) return argument;
  const std::filesystem::path beside = places.issueFolder.empty()
                                           ? std::filesystem::path(places.archive).parent_path()
                                           : std::filesystem::path(places.issueFolder);
  std::error_code error;
  if (beside.empty() || !std::filesystem::is_regular_file(beside / relative, error)) {
    return argument;
  }
  return (beside / relative).string();
}

const char* ResourceOpen(const char* path) {
  ResourceArchive& archive = Archive();
  ++archive.requests;
  archive.pending = path;
  archive.asked.insert(FoldName(path));
  if (std::strlen(path) > PATH_MAX_CHARS) FatalError(PATH_TOO_LONG);
  if (!archive.directoryRead) OpenArchive(archive);
  ResourceHandle& handle = OpenHandle(archive, path);
  handle.path = std::move(archive.pending);
  handle.request = archive.requests;
  archive.pending.clear();
  return handle.name;
}

bool ResourceRedirect(const char* path, const std::string& fileName) {
  if (fileName.size() > RESOURCE_HANDED_NAME_MAX) return false;
  ResourceArchive& archive = Archive();
  std::string folded = FoldName(path);
  std::erase_if(archive.redirects, [&](const Redirect& r) { return r.foldedPath == folded; });
  archive.redirects.push_back({std::move(folded), fileName});
  return true;
}

void ResourceClose(const char* name) {
  ResourceArchive& archive = Archive();
  if (!archive.isOpen) FatalError("Resource closed !");
  for (auto it = archive.handles.rbegin(); it != archive.handles.rend(); ++it) {
    if (std::strcmp((*it)->name, name) == 0) {
      if ((*it)->isTemporary) std::remove((*it)->name);
      archive.handles.erase(std::next(it).base());
      return;
    }
  }
}

bool ResourceArchiveIsOpen() { return Archive().isOpen; }

void ResourceReopen() { Archive().directoryRead = false; }

bool ResourceHas(const char* path) {
  ResourceArchive& archive = Archive();
  archive.asked.insert(FoldName(path));
  if (!archive.directoryRead) OpenArchive(archive);
  if (LeavesTheIssue(path)) return false;
  const Answer answer = FindAnswer(archive, path);
  if (answer.redirect != nullptr || answer.folderFile || answer.entry != nullptr) return true;
  std::error_code error;
  return std::filesystem::is_regular_file(PlainFile(archive, path), error);
}

uint64_t ResourceIssueStamp() {
  const ReaderPlaces& places = Archive().places;
  return places.issueFolder.empty() ? FileStamp(places.archive)
                                    : IssueFolderStamp(places.issueFolder);
}

void ResourceCloseAll() {
  ResourceArchive& archive = Archive();
  archive.redirects.clear();
  archive.pending.clear();
  if (archive.isOpen) {
    archive.isOpen = false;
    archive.directoryRead = false;
    archive.file.reset();
    archive.entries.clear();
    for (const auto& handle : archive.handles) {
      if (handle->isTemporary) std::remove(handle->name);
    }
    archive.handles.clear();
  }
  RemovePrivateFolder();
}

// Without copies: the watch asks it of every warning line on every frame.
bool ResourceSamePath(std::string_view a, std::string_view b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                    [](char x, char y) { return FoldChar(x) == FoldChar(y); });
}

uint64_t ResourceRequestCount() { return Archive().requests; }

std::string ResourceNewestPath(uint64_t mark) {
  const ResourceArchive& archive = Archive();
  if (archive.requests <= mark) return {};
  if (!archive.pending.empty()) return archive.pending;
  for (auto it = archive.handles.rbegin(); it != archive.handles.rend(); ++it) {
    if ((*it)->request > mark) return (*it)->path;
  }
  return {};
}
