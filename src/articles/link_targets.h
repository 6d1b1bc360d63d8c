// Link targets interned into small ids per article.
#pragma once

#include <cstdint>

#include "articles/article.h"

// The id of the entry whose text equals text byte for byte; otherwise a new
// entry with the next id (ids count 0, 1, 2, ... in order of first use).
int32_t InternLinkTarget(Article& article, const char* text);
