// Link targets interned into small ids per article, and decoded once into
// their parts: a target is a four-character kind ("ART:", "PIX:", ...), its
// argument and, after ":ALT:", the text the title box shows while the link is
// hovered.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "articles/article.h"

constexpr size_t LINK_TARGET_MAX_CHARS = 4095;  // what the reader reads of a target

// The id of the entry whose text equals text byte for byte; otherwise a new
// entry with the next id (ids count 0, 1, 2, ... in order of first use).
int32_t InternLinkTarget(Article& article, const char* text);

// A target's kind and parts, read from its first LINK_TARGET_MAX_CHARS
// characters, as the reader reads a hovered target; id 0, not visited.
LinkEntry DecodeLinkTarget(std::string_view text);

// The panel a "PAN:" argument selects among count panels: the number read as
// "%i" reads it, wrapped around them; nothing when it cannot be read.
std::optional<int32_t> LinkedPanel(std::string_view argument, int32_t count);
