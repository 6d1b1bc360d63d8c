#include <cstdint>
#include <cstdio>
#include <memory>
#include <optional>
#include <string>

#include "articles/article_lifecycle.h"
#include "resources/archive.h"
#include "resources/whole_file.h"

namespace {

// The next number to try; taken numbers are skipped, never reused in a run.
int saveCounter = 0;

// Enough for any real directory, and a guarantee that the search ends.
constexpr int SAVE_MAX_TRIES = 1000000;

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

bool CanRead(const std::string& name) { return File(std::fopen(name.c_str(), "rb")) != nullptr; }

// The handed-out name of the first free "fil_N.txt", left open; none when
// every number tried is taken.
std::optional<std::string> FindFreeName() {
  for (int tries = 0; tries < SAVE_MAX_TRIES && saveCounter < INT32_MAX; ++tries) {
    const std::string path = "DATA/saved/fil_" + std::to_string(saveCounter++) + ".txt";
    std::string name = ResourceOpen(path.c_str());
    if (!CanRead(name)) return name;
    ResourceClose(name.c_str());
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

void ArticleSaveCounterReset() { saveCounter = 0; }

void ArticleSaveAsText(Article& article) {
  if (article.fileName.empty()) return;
  const std::string inName = ResourceOpen(article.fileName.c_str());
  File in(std::fopen(inName.c_str(), "rb"));
  if (in) {
    if (const auto outName = FindFreeName()) {
      SaveWholeFileOrPrivate(*outName, TextWithoutTags(in.get()));
      ResourceClose(outName->c_str());
    }
  }
  in.reset();
  ResourceClose(inName.c_str());
}
