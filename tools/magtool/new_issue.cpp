// magtool new: a small, complete issue written into a new or empty folder,
// made by the same parts as the demo issue, with faces from Debian's font
// packages found at run time.
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <system_error>
#include <vector>

#include "base/text_encoding.h"
#include "generators/cover_writer.h"
#include "generators/file_writer.h"
#include "generators/fixed_pictures.h"
#include "generators/font_writer.h"
#include "generators/key_defs.h"
#include "generators/module_writers.h"
#include "generators/panel_writer.h"
#include "generators/search_box.h"
#include "generators/tunes.h"
#include "magtool/commands.h"
#include "magtool/new_issue_texts.h"
#include "resources/issue_name.h"

namespace fs = std::filesystem;

namespace {

constexpr const char* FONT_ROOT = "/usr/share/fonts/truetype";

// Each face a new issue needs, by the file names that can give it, best first.
struct FaceChoice {
  const char* role;
  const char* names[2];
};
constexpr FaceChoice MONO = {"monospaced", {"DejaVuSansMono.ttf", "LiberationMono-Regular.ttf"}};
constexpr FaceChoice BOLD = {"bold", {"DejaVuSans-Bold.ttf", "LiberationSans-Bold.ttf"}};
constexpr FaceChoice SANS = {"sans", {"LiberationSans-Regular.ttf", "DejaVuSans.ttf"}};
constexpr FaceChoice SERIF = {"serif", {"LiberationSerif-Regular.ttf", "DejaVuSerif.ttf"}};

struct Faces {
  std::string mono, bold, sans, serif;
};

std::optional<std::string> Find(const std::map<std::string, std::string>& found,
                                const FaceChoice& face) {
  for (const char* name : face.names) {
    if (auto at = found.find(name); at != found.end()) return at->second;
  }
  std::fprintf(stderr, "magtool: no %s face (%s or %s) under %s; install fonts-dejavu-core\n",
               face.role, face.names[0], face.names[1], FONT_ROOT);
  return std::nullopt;
}

std::optional<Faces> FindFaces() {
  std::map<std::string, std::string> found;
  std::error_code error;
  for (fs::recursive_directory_iterator it(FONT_ROOT, error), end; !error && it != end;
       it.increment(error)) {
    if (it->is_regular_file(error)) {
      found.emplace(it->path().filename().string(), it->path().string());
    }
  }
  auto mono = Find(found, MONO), bold = Find(found, BOLD), sans = Find(found, SANS),
       serif = Find(found, SERIF);
  if (!mono || !bold || !sans || !serif) return std::nullopt;
  return Faces{*mono, *bold, *sans, *serif};
}

// The name as the reader shows it, in its 8-bit text; empty, with why, when
// it cannot be an issue's name.
std::string ReaderName(const std::string& utf8, const char*& why) {
  std::string text = utf8;
  const bool ascii = std::all_of(utf8.begin(), utf8.end(),
                                 [](char c) { return static_cast<unsigned char>(c) < 0x80; });
  if (!ascii) {
    // Read as a marked file is, so that a character the reader lacks shows as '?'.
    const std::optional<Windows1252Text> converted = Windows1252FromUtf8("\xEF\xBB\xBF" + utf8);
    why = !converted ? "it is not UTF-8 text"
          : !converted->unmappedLines.empty()
              ? "it has characters the reader cannot show (it shows Windows-1252)"
              : nullptr;
    if (why != nullptr) return {};
    text = converted->text;
  }
  why = IssueNameProblem(text);
  if (why == nullptr && text.find_first_of("<>\\") != std::string::npos) {
    why = "it holds <, > or \\, which the articles' markup uses";
  }
  return why == nullptr ? text : std::string();
}

// The length of the UTF-8 sequence at text[at] that is no control
// character (C1 controls drive terminals too); 0 when it is one or invalid.
size_t PrintableLength(const std::string& text, size_t at) {
  const auto byte = [&](size_t i) { return static_cast<unsigned char>(text[i]); };
  const unsigned char lead = byte(at);
  if (lead >= 0x20 && lead < 0x7F) return 1;
  const size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC2 ? 2 : 0;
  if (length == 0 || lead > 0xF4 || at + length > text.size()) return 0;
  for (size_t i = 1; i < length; ++i) {
    if ((byte(at + i) & 0xC0) != 0x80) return 0;
  }
  return lead == 0xC2 && byte(at + 1) < 0xA0 ? 0 : length;
}

// A refused name as a terminal may show it: every other byte as \xNN.
std::string Printable(const std::string& text) {
  std::string shown;
  for (size_t at = 0; at < text.size();) {
    const size_t length = PrintableLength(text, at);
    if (length > 0) {
      shown += text.substr(at, length);
      at += length;
      continue;
    }
    char escape[8];
    std::snprintf(escape, sizeof escape, "\\x%02x", static_cast<unsigned char>(text[at++]));
    shown += escape;
  }
  return shown;
}

std::u32string Wide(const std::string& readerText) {
  std::u32string wide;
  for (char c : readerText) wide.push_back(Windows1252Point(static_cast<unsigned char>(c)));
  return wide;
}

CoverWords Words(const std::u32string& name) {
  return {name,
          U"the first issue",
          U"a magazine you read on the screen",
          {{U"Made with", {U"diskmag and magtool"}},
           {U"Fonts", {U"DejaVu and Liberation", U"from Debian's font packages"}},
           {U"Music", {U"Opening", U"Harbour Lights", U"", U"from the diskmag demo issue"}}}};
}

bool WritePictures(const std::string& data, const Faces& faces, const std::u32string& name) {
  TextPainter text(faces.bold);
  return text.ok() && WriteFixedPictures(data) && WritePanels(data, text, {ClassicPanel(name)}) &&
         WriteCovers(data, text, Words(name)) && WriteSearchBox(data, text);
}

bool WriteTunes(const std::string& data) {
  std::error_code error;
  fs::create_directories(data + "/msx", error);
  return WriteBytes(data + "/msx/beg.xm", EncodeXm(Opening())) &&
         WriteBytes(data + "/msx/tune1.xm", EncodeXm(HarbourLights()));
}

bool WriteTexts(const fs::path& dir, const std::string& name) {
  std::error_code error;
  fs::create_directories(dir / "DATA/arts", error);
  fs::create_directories(dir / "DATA/configs", error);
  bool ok = WriteText(dir / "DATA/configs/search.txt", SEARCH_BOX_PLACEMENT);
  for (const IssueText& file : NewIssueTexts(name)) {
    ok = ok && WriteText(dir / file.path, file.text);
  }
  return ok;
}

bool WriteIssue(const fs::path& dir, const std::string& name, const std::string& readerName,
                const Faces& faces) {
  const std::string data = (dir / "DATA").string();
  // The demo's face names, so that every example in docs/ works in a new issue.
  const std::vector<FaceCopy> copies = {
      {"arial.ttf", faces.sans}, {"serif.ttf", faces.serif}, {"mono.ttf", faces.mono}};
  return WritePictures(data, faces, Wide(readerName)) &&
         WriteFonts(data, faces.mono, faces.bold, copies) && WriteKeyDefs(data) &&
         WriteTunes(data) && WriteTexts(dir, name);
}

// A new folder, or one that holds nothing; false with the reason otherwise.
bool Vacant(const fs::path& dir, bool& made) {
  std::error_code error;
  if (fs::is_directory(dir, error)) {
    if (fs::directory_iterator(dir, error) == fs::directory_iterator() && !error) return true;
    std::fprintf(stderr, "magtool: %s is not empty; new writes only into a new or empty folder\n",
                 dir.c_str());
    return false;
  }
  made = fs::create_directories(dir, error);
  if (!made) std::fprintf(stderr, "magtool: cannot make the folder %s\n", dir.c_str());
  return made;
}

}  // namespace

int NewCommand(const std::string& dir, const std::string& name) {
  const char* why = nullptr;
  const std::string readerName = ReaderName(name, why);
  if (readerName.empty()) {
    std::fprintf(stderr, "magtool: cannot name the issue \"%s\": %s\n", Printable(name).c_str(),
                 why);
    return 1;
  }
  const std::optional<Faces> faces = FindFaces();
  bool made = false;
  if (!faces || !Vacant(dir, made)) return 1;
  if (!WriteIssue(dir, name, readerName, *faces)) {
    std::fprintf(stderr, "magtool: cannot write the issue in %s\n", dir.c_str());
    std::error_code error;
    fs::remove_all(fs::path(dir) / "DATA", error);  // the folder held nothing before
    if (made) fs::remove(dir, error);
    return 1;
  }
  std::printf("made %s: the issue \"%s\"; run magtool check %s\n", dir.c_str(), name.c_str(),
              dir.c_str());
  return 0;
}
