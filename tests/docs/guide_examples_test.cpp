// The examples of the guide under docs/, run as the reader runs them. Every
// fenced block whose info string names a kind is an example:
//   ```article [PATH]   a whole article
//   ```markup           a snippet, read as an article behind a title line
//   ```error MESSAGE    a snippet that must stop the reader with MESSAGE
//   ```file PATH        a file of the issue: a list, a panel, a font script ...
// The examples of one guide page are checked together, in a scratch
// directory whose data.rs is the demo issue without the files the guide
// writes itself; the reader finds those beside data.rs. The articles and
// files of the walk-through (docs/README.md) make a whole issue, which magtool
// packs, verifies, renders and checks.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "articles/article_lifecycle.h"
#include "articles/article_view.h"
#include "base/setup_config.h"
#include "engine/font_list.h"
#include "engine/reader_state.h"
#include "music/module_mixer.h"
#include "music/msx.h"
#include "music/msx_backend.h"
#include "resources/archive.h"
#include "search/search.h"
#include "support/child_process.h"
#include "support/fatal_catch.h"
#include "support/scratch_dir.h"
#include "support/whole_article.h"

namespace fs = std::filesystem;

namespace {

const std::set<std::string> KINDS = {"article", "markup", "error", "file"};
constexpr const char* WALK_THROUGH = "README.md";
constexpr const char* SNIPPET_PATH = "DATA/arts/guide_example.art";
constexpr const char* SNIPPET_TITLE = "<#TITLE#>Example<#END#>\n";

struct Example {
  std::string doc;       // file name under docs/
  int line;              // of the opening fence
  std::string kind;
  std::string argument;  // the article's or file's path, the error's message
  std::string text;

  std::string Where() const { return doc + ":" + std::to_string(line); }
  bool HasPath() const { return (kind == "article" || kind == "file") && !argument.empty(); }
};

std::vector<Example> ReadExamples(const fs::path& path) {
  std::vector<Example> examples;
  std::ifstream in(path);
  std::string line;
  bool open = false, wanted = false;
  Example example;
  for (int number = 1; std::getline(in, line); ++number) {
    if (line.rfind("```", 0) != 0) {
      if (open && wanted) example.text += line + "\n";
      continue;
    }
    if (open) {
      if (wanted) examples.push_back(example);
      open = false;
      continue;
    }
    open = true;
    const std::string info = line.substr(3);
    const size_t blank = info.find(' ');
    example = Example{path.filename().string(), number, info.substr(0, blank), "", ""};
    if (blank != std::string::npos) example.argument = info.substr(blank + 1);
    wanted = KINDS.contains(example.kind);
  }
  EXPECT_FALSE(open) << path << ": a fence is not closed";
  return examples;
}

std::map<std::string, std::vector<Example>> ExamplesByDocument() {
  std::map<std::string, std::vector<Example>> docs;
  for (const fs::directory_entry& entry : fs::directory_iterator(DOCS_DIR)) {
    if (entry.path().extension() == ".md") {
      docs[entry.path().filename().string()] = ReadExamples(entry.path());
    }
  }
  return docs;
}

void WriteText(const fs::path& path, const std::string& text) {
  if (path.has_parent_path()) fs::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary) << text;
}

std::string BaseName(const std::string& path) { return fs::path(path).filename().string(); }

// The modules the music list names, as the player would be asked for them.
std::vector<std::string> Requested;
const MsxBackend PROBE = {
    [](int32_t) {}, [](const char* name) { Requested.emplace_back(name); }, [] {}, [] {},
    [] { return 0; }, [] {}};

bool IsModule(const std::string& path) {
  const std::string name = ResourceOpen(path.c_str());
  const MixerHandle handle = MixerLoad(name.c_str());
  ResourceClose(name.c_str());
  if (handle == 0) return false;
  MixerFree(handle);
  return true;
}

class GuideExamples : public ::testing::Test {
 protected:
  // The demo issue less every file the guide writes; those go aside, so that
  // each page starts from the demo's own.
  static void SetUpTestSuite() {
    suite_ = new ScratchDir;
    docs_ = ExamplesByDocument();
    ASSERT_EQ(RunMagtool(std::string("extract ") + DEMO_ARCHIVE + " demo").status, 0);
    fs::create_directories("aside");
    for (const auto& [doc, examples] : docs_) {
      for (const Example& example : examples) {
        const fs::path member = fs::path("demo") / example.argument;
        if (example.HasPath() && fs::exists(member)) {
          fs::rename(member, fs::path("aside") / BaseName(example.argument));
        }
      }
    }
    ASSERT_EQ(RunMagtool("pack --store demo base.rs").status, 0);
    base_ = fs::absolute(".");
  }
  static void TearDownTestSuite() {
    delete suite_;
    suite_ = nullptr;
  }

  void TearDown() override { ReleaseEngine(); }

  // What a page's checks set up, so that the next page starts afresh.
  void ReleaseEngine() {
    MsxShutdown();
    MsxUseBackend(nullptr);
    SearchFree();
    PanelListDestroy(reader.PanelList);
    reader.EngineFixedFont.reset();
    if (reader.EngineFontManager) FontManagerDestroy(reader.EngineFontManager);
    ResourceCloseAll();
  }

  void CheckDocument(const std::vector<Example>& examples);

  std::unique_ptr<Reader> readerRecord = std::make_unique<Reader>();
  Reader& reader = *readerRecord;  // the fonts and panels that a page's checks load
  static inline ScratchDir* suite_ = nullptr;
  static inline fs::path base_;
  static inline std::map<std::string, std::vector<Example>> docs_;
};

void CheckConfigurations(Reader& reader, const std::vector<Example>& files) {
  for (const Example& file : files) {
    SCOPED_TRACE(file.Where());
    const std::string& path = file.argument;
    if (path == PANELS_PATH) {
      EXPECT_EQ(FatalMessageOf([&] { reader.PanelCount = ParsePanels(reader.PanelList); }), "");
      EXPECT_EQ(reader.PanelCount, std::count(file.text.begin(), file.text.end(), '\n'));
    } else if (path == "DATA/configs/msx.txt") {
      Requested.clear();
      MsxUseBackend(&PROBE);
      SetupDefaults(reader.Setup);
      EXPECT_EQ(FatalMessageOf([&] { MsxInit(reader.Setup); }), "");
      const int count = std::atoi(file.text.c_str());
      for (int i = 0; i < count; ++i) MsxPlayIndex(i);
      ASSERT_EQ(Requested.size(), static_cast<size_t>(count));
      for (const std::string& module : Requested) EXPECT_TRUE(IsModule(module)) << module;
    } else if (path == "DATA/configs/search.txt" || path == "DATA/configs/search.lst") {
      EXPECT_EQ(FatalMessageOf(SearchInit), "");
      SearchFree();
    } else if (fs::path(path).extension() == ".bmf") {
      EXPECT_EQ(FatalMessageOf([&] {
                  FontManager& fonts = *reader.EngineFontManager;
                  EXPECT_NE(FontOpen(fonts, path.c_str(), 8, 16, 0, 0, 0), nullptr);
                }),
                "");
    }
  }
}

void GuideExamples::CheckDocument(const std::vector<Example>& examples) {
  ScratchDir dir;
  fs::copy_file(base_ / "base.rs", "data.rs");
  for (const fs::directory_entry& entry : fs::directory_iterator(base_ / "aside")) {
    fs::copy_file(entry.path(), entry.path().filename());
  }
  std::set<std::string> written;
  std::vector<Example> files;
  for (const Example& example : examples) {
    if (!example.HasPath()) continue;
    // The reader finds a file that is not in data.rs by its base name.
    EXPECT_TRUE(written.insert(BaseName(example.argument)).second)
        << example.Where() << ": a second file named " << BaseName(example.argument);
    WriteText(BaseName(example.argument), example.text);
    if (example.kind == "file") files.push_back(example);
  }
  // The fonts first: the font list may be one of the examples.
  ASSERT_EQ(FatalMessageOf([&] {
              reader.EngineFixedFont = FixedFontLoad("DATA/fonts/fixed.fnt");
              reader.EngineFontManager = FontManagerCreate();
              LoadFontList(*reader.EngineFontManager);
            }),
            "");
  CheckConfigurations(reader, files);
  for (const Example& example : examples) {
    SCOPED_TRACE(example.Where());
    if (example.kind == "file") continue;
    // Articles are Windows-1252 text; a guide in UTF-8 shows only ASCII safely.
    EXPECT_TRUE(std::all_of(example.text.begin(), example.text.end(),
                            [](char c) { return static_cast<unsigned char>(c) < 0x80; }));
    std::string path = example.argument;
    if (!example.HasPath()) {
      path = SNIPPET_PATH;
      WriteText(BaseName(path), example.kind == "article" ? example.text
                                                          : SNIPPET_TITLE + example.text);
    }
    // In a view as tall as the demo's tallest page.
    const std::string message =
        FatalMessageOf([&] { ReadWholeArticle(path, 398, EngineFonts(reader)); });
    EXPECT_EQ(message, example.kind == "error" ? example.argument : "");
  }
}

TEST_F(GuideExamples, EveryExampleLoadsAsTheReaderLoadsIt) {
  std::set<std::string> kinds;
  for (const auto& [doc, examples] : docs_) {
    SCOPED_TRACE(doc);
    for (const Example& example : examples) kinds.insert(example.kind);
    CheckDocument(examples);
    ReleaseEngine();
  }
  EXPECT_EQ(kinds, KINDS) << "every kind of example is used";
  EXPECT_TRUE(docs_.contains(WALK_THROUGH));
}

// The walk-through's issue: the demo without its articles, plus the guide's.
TEST_F(GuideExamples, TheWalkThroughIssuePacksRendersAndChecksClean) {
  ScratchDir dir;
  ASSERT_EQ(RunMagtool(std::string("extract ") + DEMO_ARCHIVE + " myissue").status, 0);
  for (const fs::directory_entry& entry : fs::directory_iterator("myissue/DATA/arts")) {
    fs::remove(entry.path());
  }
  for (const Example& example : docs_.at(WALK_THROUGH)) {
    if (example.HasPath()) WriteText(fs::path("myissue") / example.argument, example.text);
  }
  // The guide's own commands; every page of its articles is drawn above.
  fs::create_directories("myrun");
  ASSERT_EQ(RunMagtool("pack myissue myrun/data.rs").status, 0);
  EXPECT_EQ(RunMagtool("render myrun/data.rs DATA/arts/index.art page.png").status, 0);
  const ChildResult check = RunMagtool("check myrun/data.rs");
  EXPECT_EQ(check.status, 0) << check.out;
}

}  // namespace
