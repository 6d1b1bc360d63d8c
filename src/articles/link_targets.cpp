#include "articles/link_targets.h"

#include <algorithm>
#include <cstdlib>
#include <string_view>

#include "base/integer_reader.h"

namespace {

constexpr std::string_view ALT_MARKER = ":ALT:";
constexpr size_t KIND_CHARS = 4;

}  // namespace

int32_t InternLinkTarget(Article& article, const char* text) {
  const std::string_view wanted(text);
  for (const LinkEntry& entry : article.linkTargets) {
    if (entry.text == wanted) return entry.id;
  }
  // Entries are never removed, so the ids in use are 0 .. size - 1.
  const auto id = static_cast<int32_t>(article.linkTargets.size());
  article.linkTargets.push_front(LinkEntry{0, 0, id, std::string(wanted)});
  return id;
}

LinkTargetParts SplitLinkTarget(std::string_view target) {
  const size_t marker = std::min(target.find(ALT_MARKER), target.size());
  const std::string_view head = target.substr(0, marker);
  const std::string_view tail = target.substr(marker);
  return {head.substr(std::min(KIND_CHARS, head.size())),
          tail.substr(std::min(ALT_MARKER.size(), tail.size()))};
}

std::optional<int32_t> LinkedPanel(std::string_view argument, int32_t count) {
  const std::optional<int32_t> number = ParseInt(argument);
  if (!number || count <= 0) return std::nullopt;
  return std::abs(*number % count);
}
