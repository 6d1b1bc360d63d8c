#include "magtool/check_report.h"

#include "magtool/check_lines.h"
#include "magtool/check_picture_hints.h"
#include "resources/byte_reader.h"
#include "resources/resource_file.h"

namespace {

std::string Located(const CheckSite& site, const std::string& message) {
  std::string line = site.path;
  if (site.line > 0) line += ":" + std::to_string(site.line);
  return line + ": " + message;
}

}  // namespace

void CheckReport::Add(const CheckSite& site, const std::string& message) {
  const std::string line = Located(site, message);
  if (seen_.insert(line).second) lines_.push_back(line);
}

void CheckReport::Warn(const CheckSite& site, const std::string& message) {
  const std::string line = Located(site, "warning: " + message);
  if (!seen_.insert(line).second) return;
  lines_.push_back(line);
  ++warnings_;
}

void CheckReport::Add(const CheckSite& site, const StepFailure& failure,
                      const std::string& member) {
  const std::string own = MemberKey(site.path);
  for (const std::string& named : {failure.member, member}) {
    if (named.empty() || MemberKey(named) == own) continue;
    const char* absent = MemberExists(named) ? "" : ": not in the issue";
    Add(site, failure.message + " (" + named + absent + ")");
    return HintRefusal(failure, member);
  }
  Add(site, failure.message);
  HintRefusal(failure, member.empty() ? site.path : member);
}

void CheckReport::HintRefusal(const StepFailure& failure, const std::string& member) {
  const std::string& picture = failure.member.empty() ? member : failure.member;
  if (failure.message == "Filetype unsupported by ImageLoader !" &&
      MemberKey(picture).ends_with(".jpeg")) {
    return Warn({picture}, "the reader takes JPEG pictures under the ending .jpg only: rename it " +
                               picture.substr(0, picture.size() - 5) + ".jpg");
  }
  const bool gif = failure.message == "Pix loader error ![GIF]";
  if (!gif && failure.message != "Pix loader error ![BMP]") return;
  std::vector<uint8_t> bytes;
  bool read = false;
  RunStep([&] { read = ReadWholeFile(ResourceFile(picture).name(), bytes); });
  if (!picture.empty() && read) Warn({picture}, gif ? GifRefusal(bytes) : BmpRefusal(bytes));
}

bool Attempt(CheckReport& report, const CheckSite& site, const std::function<void()>& step,
             const std::string& member) {
  const std::optional<StepFailure> failure = RunStep(step);
  if (failure) report.Add(site, *failure, member);
  return !failure;
}
