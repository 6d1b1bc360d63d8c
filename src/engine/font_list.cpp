#include "engine/font_list.h"

#include <optional>
#include <string>

#include "base/fatal.h"
#include "base/line_reader.h"
#include "base/path_limit.h"
#include "resources/resource_file.h"

// Every line of the list is a font, empty ones included.
void LoadFontList(FontManager& manager) {
  const ResourceFile list("DATA/configs/fonts.txt");
  const FilePtr file = list.OpenText();
  if (!file) FatalError("Cannot open configs/fonts.txt file !");
  while (const std::optional<std::string> line = ReadLine(file.get(), PATH_MAX_CHARS)) {
    FontManagerAddFont(manager, ListName(*line).c_str());
  }
}
