#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>

#include "articles/article_lifecycle.h"
#include "platform/reader_files.h"
#include "resources/resource_file.h"
#include "resources/whole_file.h"

namespace {

// Enough for any real directory, and a guarantee that the search ends.
constexpr int SAVE_MAX_TRIES = 1000000;

// The first free "fil_N.txt" from number on, held; none when every number
// tried is taken. Taken numbers are skipped, never tried again.
std::optional<ResourceFile> FindFreeFile(int32_t& number) {
  for (int tries = 0; tries < SAVE_MAX_TRIES && number < INT32_MAX; ++tries) {
    ResourceFile file("DATA/saved/fil_" + std::to_string(number++) + ".txt");
    if (!file.Open()) return file;
  }
  return std::nullopt;
}

// The text outside "<#" ... "#>"; a tag left open at a line end takes that
// line end with it.
std::string TextWithoutTags(std::FILE* in) {
  std::string out;
  bool inTag = false;
  int c = std::fgetc(in);
  while (c != EOF) {
    const int next = std::fgetc(in);
    if (inTag) {
      if (c == '\n' || (c == '#' && next == '>')) {
        inTag = false;
        c = c == '\n' ? next : std::fgetc(in);
        continue;
      }
    } else if (c == '<' && next == '#') {
      inTag = true;
      c = std::fgetc(in);
      continue;
    } else {
      out.push_back(static_cast<char>(c));
    }
    c = next;
  }
  return out;
}

}  // namespace

void ArticleSaveAsText(const Article& article, int32_t& nextNumber) {
  if (article.fileName.empty()) return;
  const ResourceFile source(article.fileName);
  const FilePtr in = source.OpenText();
  if (!in) return;
  if (const std::optional<ResourceFile> saved = FindFreeFile(nextNumber)) {
    const std::string written = SaveWholeFileOrPrivate(saved->name(), TextWithoutTags(in.get()));
    if (!written.empty()) ReaderFileSaved(written);
  }
}
