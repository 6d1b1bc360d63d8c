#include "platform/change_notice.h"
#include "resources/archive.h"

namespace {

class PollingNotice : public ChangeNotice {
 public:
  std::optional<uint64_t> Stamp(std::string&) override { return ResourceIssueStamp(); }
};

}  // namespace

std::unique_ptr<ChangeNotice> PollingChangeNotice() { return std::make_unique<PollingNotice>(); }
