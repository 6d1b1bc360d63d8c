// How a watching reader notices that the files changed: a stamp that
// changes with them. The kernel's change notification (inotify on Linux)
// costs nothing while nothing changes, however many files the issue holds;
// looking at every file's status (ResourceIssueStamp) is the fallback where
// there is no notification or it gives up. Both see the same files: the
// archive's, or those under an issue folder's DATA/, names passed over by
// the stamps (issue_folder.h) passed over.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "resources/reader_places.h"

class ChangeNotice {
 public:
  virtual ~ChangeNotice() = default;

  // The stamp as of now, without waiting; nothing, with the reason in why,
  // once the notice has given up (the kernel's limit of watches reached).
  virtual std::optional<uint64_t> Stamp(std::string& why) = 0;
};

// The kernel's notification for the issue at places; null, with the reason
// in why, where there is none.
std::unique_ptr<ChangeNotice> KernelChangeNotice(const ReaderPlaces& places, std::string& why);

// Looking at every file of the issue in use at each call.
std::unique_ptr<ChangeNotice> PollingChangeNotice();
