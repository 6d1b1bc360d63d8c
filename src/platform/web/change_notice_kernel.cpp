#include "platform/change_notice.h"

// A page reads a packed issue that does not change under it.
std::unique_ptr<ChangeNotice> KernelChangeNotice(const ReaderPlaces&, std::string& why) {
  why = "a browser has no change notification";
  return nullptr;
}
