#include "articles/link_targets.h"

#include <algorithm>
#include <cstdlib>
#include <string_view>
#include <utility>

#include "base/integer_reader.h"

namespace {

constexpr std::string_view ALT_MARKER = ":ALT:";
constexpr size_t KIND_CHARS = 4;

struct LinkTargetParts {
  std::string_view argument;  // from the fifth character up to the first ":ALT:"
  std::string_view alt;       // after the first ":ALT:"; empty without one
};

LinkTargetParts SplitLinkTarget(std::string_view target) {
  const size_t marker = std::min(target.find(ALT_MARKER), target.size());
  const std::string_view head = target.substr(0, marker);
  const std::string_view tail = target.substr(marker);
  return {head.substr(std::min(KIND_CHARS, head.size())),
          tail.substr(std::min(ALT_MARKER.size(), tail.size()))};
}

LinkKind KindOf(std::string_view target) {
  static constexpr std::pair<std::string_view, LinkKind> KINDS[] = {{"ART:", LinkKind::Article},
                                                                    {"PIX:", LinkKind::Picture},
                                                                    {"MSX:", LinkKind::Music},
                                                                    {"PAN:", LinkKind::Panel},
                                                                    {"EXE:", LinkKind::Document}};
  for (const auto& [prefix, kind] : KINDS) {
    if (target.substr(0, KIND_CHARS) == prefix) return kind;
  }
  return LinkKind::Other;
}

}  // namespace

int32_t InternLinkTarget(Article& article, const char* text) {
  const std::string_view wanted(text);
  for (const LinkEntry& entry : article.linkTargets) {
    if (entry.text == wanted) return entry.id;
  }
  // Entries are never removed, so the ids in use are 0 .. size - 1.
  LinkEntry entry = DecodeLinkTarget(wanted);
  entry.id = static_cast<int32_t>(article.linkTargets.size());
  article.linkTargets.push_front(std::move(entry));
  return article.linkTargets.front().id;
}

LinkEntry DecodeLinkTarget(std::string_view text) {
  const std::string_view read = text.substr(0, LINK_TARGET_MAX_CHARS);
  const LinkTargetParts parts = SplitLinkTarget(read);
  return LinkEntry{0,
                   0,
                   0,
                   std::string(text),
                   KindOf(read),
                   std::string(parts.argument),
                   std::string(parts.alt)};
}

std::optional<int32_t> LinkedPanel(std::string_view argument, int32_t count) {
  const std::optional<int32_t> number = ParseInt(argument);
  if (!number || count <= 0) return std::nullopt;
  return std::abs(*number % count);
}
