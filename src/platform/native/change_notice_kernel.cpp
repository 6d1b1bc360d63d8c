// The kernel's change notification on Linux: one watch per folder under
// DATA/ (folders made later are added as they appear), one on the folder
// holding DATA/ or the archive for that one name, and one on each file
// reached through a link (the archive itself, links under DATA/), since a
// folder's watch does not see a linked file's writes. The stamp counts the
// events that concern the issue; a save by rename, by truncate and write, a
// file made or deleted each give at least one.
#include <sys/inotify.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <unordered_map>

#include "base/fd_handle.h"
#include "platform/change_notice.h"
#include "resources/issue_folder.h"

namespace fs = std::filesystem;

namespace {

// Folders are followed through links as the stamps' walk follows DATA/ itself.
constexpr uint32_t FOLDER_EVENTS = IN_CREATE | IN_DELETE | IN_MODIFY | IN_CLOSE_WRITE | IN_ATTRIB |
                                   IN_MOVED_FROM | IN_MOVED_TO | IN_ONLYDIR;
constexpr uint32_t FILE_EVENTS = IN_MODIFY | IN_CLOSE_WRITE | IN_ATTRIB | IN_MOVE_SELF;

// What a watch stands for, which decides which of its events are changes.
enum class Watched {
  Tree,    // a folder under DATA/: every name not passed over
  Parent,  // the folder holding DATA/ or the archive: that name only
  File,    // a file named through a link, or the archive: any change
};

struct Watch {
  Watched kind;
  std::string path;
};

bool FoldedData(std::string_view name) {
  constexpr std::string_view DATA = "DATA";
  if (name.size() != DATA.size()) return false;
  for (size_t i = 0; i < name.size(); ++i) {
    const char c = name[i] >= 'a' && name[i] <= 'z' ? static_cast<char>(name[i] - 32) : name[i];
    if (c != DATA[i]) return false;
  }
  return true;
}

class KernelNotice : public ChangeNotice {
 public:
  KernelNotice(FdHandle fd, const ReaderPlaces& places) : fd_(std::move(fd)), places_(places) {}

  void WatchAll();
  std::optional<uint64_t> Stamp(std::string& why) override;

 private:
  void Add(const fs::path& path, uint32_t events, Watched kind);
  void AddTree(const fs::path& top);
  void Drain();
  void Take(const inotify_event& event);
  void TakeNamed(const Watch& watch, const inotify_event& event);

  FdHandle fd_;
  ReaderPlaces places_;
  std::unordered_map<int, Watch> watches_;  // by watch descriptor
  uint64_t changes_ = 0;
  bool rescan_ = false;  // the stored paths may be stale, or events were lost
  std::string failure_;  // why the notice gave up; empty while it works
};

void KernelNotice::Add(const fs::path& path, uint32_t events, Watched kind) {
  const int wd = inotify_add_watch(fd_.get(), path.c_str(), events);
  if (wd >= 0) {
    watches_[wd] = Watch{kind, path.string()};
  } else if (errno == ENOSPC) {
    failure_ = "the kernel's limit of watches (fs.inotify.max_user_watches) is reached";
  } else if (errno == ENOMEM) {
    failure_ = std::strerror(errno);
  }
  // Anything else is a name gone meanwhile or unreadable, which polling passes over too.
}

void KernelNotice::AddTree(const fs::path& top) {
  Add(top, FOLDER_EVENTS, Watched::Tree);
  std::error_code error;
  fs::recursive_directory_iterator it(top, fs::directory_options::skip_permission_denied, error);
  for (; !error && failure_.empty() && it != fs::recursive_directory_iterator();
       it.increment(error)) {
    if (PassedOverName(it->path().filename().string())) {
      it.disable_recursion_pending();
    } else if (it->is_symlink(error)) {
      Add(it->path(), FILE_EVENTS, Watched::File);
    } else if (it->is_directory(error)) {
      Add(it->path(), FOLDER_EVENTS, Watched::Tree);
    }
  }
}

// Every watch made anew from the names as they are now: after a folder
// moved, the paths kept for the old watches would mislead.
void KernelNotice::WatchAll() {
  for (const auto& [wd, watch] : watches_) inotify_rm_watch(fd_.get(), wd);
  watches_.clear();
  if (places_.issueFolder.empty()) {
    const fs::path archive(places_.archive);
    Add(archive.has_parent_path() ? archive.parent_path() : ".", FOLDER_EVENTS, Watched::Parent);
    Add(archive, FILE_EVENTS, Watched::File);
    return;
  }
  Add(places_.issueFolder, FOLDER_EVENTS, Watched::Parent);
  std::error_code error;
  for (fs::directory_iterator it(places_.issueFolder, error), end; !error && it != end;
       it.increment(error)) {
    if (FoldedData(it->path().filename().string())) AddTree(it->path());
  }
}

void KernelNotice::TakeNamed(const Watch& watch, const inotify_event& event) {
  const std::string_view name(event.name);
  if (watch.kind == Watched::Parent) {
    const bool ours = places_.issueFolder.empty()
                          ? name == fs::path(places_.archive).filename().string()
                          : FoldedData(name);
    if (ours) {
      ++changes_;
      rescan_ = true;
    }
    return;
  }
  if (PassedOverName(name)) return;
  ++changes_;
  if (!(event.mask & (IN_CREATE | IN_MOVED_TO | IN_MOVED_FROM))) return;
  const fs::path path = fs::path(watch.path) / name;
  struct stat info {};
  if (event.mask & IN_ISDIR) {
    if (event.mask & IN_CREATE) {
      AddTree(path);
    } else {
      rescan_ = true;
    }
  } else if (!(event.mask & IN_MOVED_FROM) && lstat(path.c_str(), &info) == 0 &&
             S_ISLNK(info.st_mode)) {
    Add(path, FILE_EVENTS, Watched::File);
  }
}

void KernelNotice::Take(const inotify_event& event) {
  if (event.mask & IN_Q_OVERFLOW) {
    ++changes_;
    rescan_ = true;
    return;
  }
  const auto found = watches_.find(event.wd);
  if (found == watches_.end()) return;
  const Watch watch = found->second;
  if (event.mask & IN_IGNORED) watches_.erase(found);
  if (watch.kind != Watched::File) {
    if (event.len > 0) TakeNamed(watch, event);
    return;
  }
  // The link may name another file now: watch whatever it names.
  if (event.mask & FILE_EVENTS) ++changes_;
  Add(watch.path, FILE_EVENTS, Watched::File);
}

void KernelNotice::Drain() {
  alignas(inotify_event) char buffer[16384];
  for (;;) {
    const ssize_t got = read(fd_.get(), buffer, sizeof buffer);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) return;
    for (ssize_t at = 0; at < got;) {
      const auto* event = reinterpret_cast<const inotify_event*>(buffer + at);
      Take(*event);
      at += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
    }
  }
}

std::optional<uint64_t> KernelNotice::Stamp(std::string& why) {
  Drain();
  if (rescan_ && failure_.empty()) {
    rescan_ = false;
    WatchAll();
  }
  if (!failure_.empty()) {
    why = failure_;
    return std::nullopt;
  }
  return changes_;
}

}  // namespace

std::unique_ptr<ChangeNotice> KernelChangeNotice(const ReaderPlaces& places, std::string& why) {
  FdHandle fd(inotify_init1(IN_NONBLOCK | IN_CLOEXEC));
  if (!fd) {
    why = std::string("inotify: ") + std::strerror(errno);
    return nullptr;
  }
  auto notice = std::make_unique<KernelNotice>(std::move(fd), places);
  notice->WatchAll();
  std::string failure;
  if (!notice->Stamp(failure)) {
    why = failure;
    return nullptr;
  }
  return notice;
}
