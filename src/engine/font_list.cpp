#include "engine/font_list.h"

#include <cstdio>
#include <cstring>

#include "base/fatal.h"
#include "resources/archive.h"
#include "resources/file_ptr.h"

// Every line of the list is a font, empty ones included.
void LoadFontList(FontManager& manager) {
  const char* name = ResourceOpen("DATA/configs/fonts.txt");
  FilePtr file = OpenFile(name, "rb");
  if (!file) FatalError("Cannot open configs/fonts.txt file !");
  char line[1024];
  while (std::fgets(line, sizeof line, file.get()) != nullptr) {
    line[std::strcspn(line, "\n\r\t")] = '\0';
    FontManagerAddFont(manager, line);
  }
  file.reset();
  ResourceClose(name);
}
