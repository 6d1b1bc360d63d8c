#include <string>

#include "articles/article_layout.h"
#include "articles/tag_arguments.h"
#include "base/fatal.h"
#include "pictures/image_loader.h"

namespace {

// "*speedX*speedY" from the first '*' of a picture name.
bool ReadSpeeds(const std::string& name, size_t at, PictureEntry& entry) {
  if (name[at] != '*') return false;
  ++at;
  if (!ReadNumber(name, at, entry.speedX) || at >= name.size() || name[at] != '*') return false;
  ++at;
  return ReadNumber(name, at, entry.speedY);
}

}  // namespace

PictureEntry& PictureCacheGet(Article& article, const char* requested) {
  const std::string name = std::string(requested).substr(0, ARTICLE_NAME_MAX);
  for (PictureEntry& entry : article.pictures) {
    if (StrCaseCompare(entry.name.c_str(), name.c_str()) == 0) return entry;
  }
  if (name.empty()) FatalError("Internal error!");
  PictureEntry entry{};
  entry.name = name;
  const size_t star = name.find('*');
  if (star != std::string::npos) {
    if (!ReadSpeeds(name, star, entry)) FatalError("Cannot scan pix scroll values!");
    entry.scrolling = entry.speedX != 0 || entry.speedY != 0;
  }
  ImageLoader(name.substr(0, star).c_str(), entry.image);
  article.pictures.push_front(std::move(entry));
  return article.pictures.front();
}
