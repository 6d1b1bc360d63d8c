#include "articles/link_targets.h"

#include <string_view>

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
