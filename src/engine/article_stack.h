// The article stack: every move to another article pushes the place left
// (path, both column positions, the selected link, the off-page state), so
// that going back restores it exactly. Both directions cross-fade the page
// while the progress bar glides from the old reading position to the new.
#pragma once

#include <cstdint>
#include <string>

constexpr int ARTICLE_STACK_SIZE = 128;

struct ArticlePlace {
  int32_t scrollY;
  int32_t rightScrollY;
  int32_t linkFocus;
  int32_t offPage;
  std::string path;
};

struct Reader;

// The stack is the reader's ArticleStack, ArticleStackDepth places deep; it
// is not kept between runs.

// Leaves the current article for path (cut to PATH_MAX_CHARS); fatal
// ("Article stack overflow !") when 128 places are stacked.
void OpenArticle(Reader& reader, const std::string& path);

// Returns to the place on top; fatal ("Article stack underflow !") when empty.
void GoBack(Reader& reader);

// Forgets every stacked place.
void ArticleStackClear(Reader& reader);
