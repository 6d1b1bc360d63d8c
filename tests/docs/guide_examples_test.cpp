// The examples of the guide under docs/, run as the reader runs them. Every
// fenced block whose info string names a kind is an example:
//   ```article [PATH]   a whole article
//   ```markup           a snippet, read as an article behind a title line
//   ```error MESSAGE    a snippet that must stop the reader with MESSAGE
//   ```file PATH        a file of the issue: a list, a panel, a font script ...
// A page's examples are checked together, added to the demo issue: magtool
// check reads the lists, panels and tunes as the reader does, and every article
// and snippet is paged through. The walk-through's (docs/README.md) are added
// to an issue made by magtool new, as the walk-through makes its own.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "engine/font_list.h"
#include "resources/archive.h"
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
  std::optional<Example> open;  // the fenced block being read
  std::string line;
  for (int number = 1; std::getline(in, line); ++number) {
    if (!line.starts_with("```")) {
      if (open) open->text += line + "\n";
    } else if (open) {
      if (KINDS.contains(open->kind)) examples.push_back(*open);
      open.reset();
    } else {
      const std::string info = line.substr(3);
      const size_t blank = info.find(' ');
      open = Example{path.filename().string(), number, info.substr(0, blank),
                     blank == std::string::npos ? "" : info.substr(blank + 1), ""};
    }
  }
  EXPECT_FALSE(open) << path << ": a fence is not closed";
  return examples;
}

void WriteText(const fs::path& path, const std::string& text) {
  if (path.has_parent_path()) fs::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary) << text;
}

class GuideExamples : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    suite_ = std::make_unique<ScratchDir>();
    for (const fs::directory_entry& entry : fs::directory_iterator(DOCS_DIR)) {
      if (entry.path().extension() == ".md") docs_[entry.path().filename().string()] = ReadExamples(entry.path());
    }
    ASSERT_EQ(RunMagtool(std::string("extract ") + DEMO_ARCHIVE + " demo").status, 0);
    ASSERT_EQ(RunMagtool("new fresh --name 'Night Owl'").status, 0);
    demo_ = fs::absolute("demo");
    fresh_ = fs::absolute("fresh");
  }
  static void TearDownTestSuite() { suite_.reset(); }

  static void CheckDocument(const std::vector<Example>& examples, const fs::path& base);

  static inline std::unique_ptr<ScratchDir> suite_;
  static inline fs::path demo_, fresh_;
  static inline std::map<std::string, std::vector<Example>> docs_;
};

void GuideExamples::CheckDocument(const std::vector<Example>& examples, const fs::path& base) {
  ScratchDir dir;
  fs::copy(base, "issue", fs::copy_options::recursive);
  for (const Example& example : examples) {
    if (example.HasPath()) WriteText(fs::path("issue") / example.argument, example.text);
  }
  const ChildResult check = RunMagtool("check issue");
  EXPECT_EQ(check.status, 0) << check.out;
  ASSERT_EQ(RunMagtool("pack --store issue data.rs").status, 0);
  std::unique_ptr<FixedFont> fixed;
  std::unique_ptr<FontManager> fonts;
  ASSERT_EQ(FatalMessageOf([&] {
              fixed = FixedFontLoad("DATA/fonts/fixed.fnt");
              LoadFontList(*(fonts = FontManagerCreate()));
            }),
            "");
  for (const Example& example : examples) {
    SCOPED_TRACE(example.Where());
    if (example.kind == "file") {
      // A bitmap font is read only when an article asks for it.
      if (fs::path(example.argument).extension() == ".bmf") {
        const char* path = example.argument.c_str();
        EXPECT_EQ(FatalMessageOf([&] { EXPECT_NE(FontOpen(*fonts, path, 8, 16, 0, 0, 0), nullptr); }), "");
      }
      continue;
    }
    // Articles are Windows-1252 text; a guide in UTF-8 shows only ASCII safely.
    EXPECT_TRUE(std::all_of(example.text.begin(), example.text.end(),
                            [](char c) { return static_cast<unsigned char>(c) < 0x80; }));
    std::string path = example.argument;
    if (!example.HasPath()) {
      path = SNIPPET_PATH;  // not in data.rs: read from the folder by its base name
      WriteText(fs::path(path).filename(), example.kind == "article" ? example.text : SNIPPET_TITLE + example.text);
    }
    // In a view as tall as the demo's tallest page.
    const std::string message = FatalMessageOf([&] { ReadWholeArticle(path, 398, {fonts.get(), fixed.get()}); });
    EXPECT_EQ(message, example.kind == "error" ? example.argument : "");
  }
  FontManagerDestroy(fonts);
  ResourceCloseAll();
}

TEST_F(GuideExamples, EveryExampleLoadsAsTheReaderLoadsIt) {
  std::set<std::string> kinds;
  for (const auto& [doc, examples] : docs_) {
    SCOPED_TRACE(doc);
    for (const Example& example : examples) kinds.insert(example.kind);
    CheckDocument(examples, doc == WALK_THROUGH ? fresh_ : demo_);
  }
  EXPECT_EQ(kinds, KINDS) << "every kind of example is used";
  EXPECT_TRUE(docs_.contains(WALK_THROUGH));
}

}  // namespace
