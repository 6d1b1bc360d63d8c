#include <gtest/gtest.h>
#include <hb-ot.h>
#include <png.h>
#include <woff2/decode.h>
#include <woff2/output.h>

#include <filesystem>
#include <regex>
#include <string>
#include <vector>

#include "articles/link_targets.h"
#include "magtool/web/face_tables.h"
#include "magtool/web/link_html.h"
#include "magtool/web/site.h"
#include "magtool/web/site_folder.h"
#include "magtool/web/site_paths.h"
#include "resources/archive.h"
#include "resources/resource_file.h"
#include "support/child_process.h"
#include "support/scratch_dir.h"

namespace fs = std::filesystem;

namespace {

// The tags the pages open are closed in order; void ones stand alone and
// the style and script texts are passed over.
bool Balanced(const std::string& html, std::string& fault) {
  static const std::regex tag("<(/?)([a-zA-Z0-9!]+)[^>]*>");
  static const std::regex voids("!DOCTYPE|meta|link|img|hr|br|input");
  std::vector<std::string> open;
  for (std::sregex_iterator it(html.begin(), html.end(), tag), end; it != end; ++it) {
    const std::string name = (*it)[2];
    if (std::regex_match(name, voids)) continue;
    if ((*it)[1].length() == 0) {
      if (!open.empty() && (open.back() == "style" || open.back() == "script")) continue;
      open.push_back(name);
    } else if (open.empty() || open.back() != name) {
      fault = "</" + name + "> at " + std::to_string(it->position());
      return false;
    } else {
      open.pop_back();
    }
  }
  fault = open.empty() ? "" : "<" + open.back() + "> left open";
  return open.empty();
}

std::vector<std::string> References(const std::string& text) {
  static const std::regex reference(R"re(\s(?:href|src)="([^"]*)"|url\(([^)]*)\))re");
  std::vector<std::string> found;
  for (std::sregex_iterator it(text.begin(), text.end(), reference), end; it != end; ++it) {
    found.push_back((*it)[1].matched ? (*it)[1].str() : (*it)[2].str());
  }
  return found;
}

// Alpha of the PNG's pixel (x, y); -1 when it cannot be read.
int Alpha(const std::string& path, int x, int y) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  if (png_image_begin_read_from_file(&image, path.c_str()) == 0) return -1;
  image.format = PNG_FORMAT_RGBA;
  std::vector<png_byte> pixels(PNG_IMAGE_SIZE(image));
  if (png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr) == 0) return -1;
  return pixels[(static_cast<size_t>(y) * image.width + x) * 4 + 3];
}

// The font a WOFF2 file holds; empty when it cannot be decoded.
std::string Woff2Font(const fs::path& path) {
  const std::string woff2 = ReadFileText(path);
  const auto* data = reinterpret_cast<const uint8_t*>(woff2.data());
  std::string font(woff2::ComputeWOFF2FinalSize(data, woff2.size()), '\0');
  woff2::WOFF2StringOut out(&font);
  if (!woff2::ConvertWOFF2ToTTF(data, woff2.size(), &out)) return {};
  font.resize(out.Size());
  return font;
}

// The page's article's title as the page should show it.
std::string Title(const std::string& page) {
  const ResourceFile member("DATA/arts/" + fs::path(page).replace_extension(".art").string());
  const std::string source = ReadFileText(member.name());
  const size_t from = source.find("<#TITLE#>") + 9;
  return PlainAlt(source.substr(from, source.find("<#END#>") - from));
}

constexpr const char* ENGINE_FILES[] = {"read.html", "read.js", "read.css", "diskmag.js",
                                        "diskmag.wasm"};

// Where magtool looks for the web engine while it lives, whatever the build made.
struct EngineFolder {
  explicit EngineFolder(const std::string& folder) {
    setenv("DISKMAG_WEB_ENGINE", folder.c_str(), 1);
  }
  ~EngineFolder() { unsetenv("DISKMAG_WEB_ENGINE"); }
  EngineFolder(const EngineFolder&) = delete;
  EngineFolder& operator=(const EngineFolder&) = delete;
};

// A stand-in for the engine's build: its files, each holding its own name.
std::string FakeEngine(const std::string& folder) {
  fs::create_directories(folder);
  for (const char* name : ENGINE_FILES) WriteFileText(folder + "/" + name, name);
  return folder;
}

}  // namespace

TEST(WebSite, NamesLandBelowTheSiteRoot) {
  const std::pair<std::string, std::string> rows[] = {
      {PageName("DATA/arts/Index.art"), "index.html"},
      {PageName("DATA/arts/sub/x.art"), "sub/x.html"},
      {PageName("DATA/other/../../a b.art"), "other/_/_/a_b.html"},
      {PictureName("DATA/pictures/stripe.gif*30*0"), "pictures/stripe.gif.png"},
      {Relative("sub/x.html", "site.css"), "../site.css"},
      {PlainAlt("\\FFD040 Feature: \\E0E0E0 <tracker> \x96"),
       "Feature: &lt;tracker&gt; \xE2\x80\x93"},
  };
  for (const auto& [got, expected] : rows) EXPECT_EQ(got, expected);
}

// Each writer of the site reaches its files through one guard; the tunes,
// written first, and a document beside the issue go through it end to end.
TEST(WebSite, NothingIsWrittenThroughALinkNorCopiedFromOne) {
  ScratchDir dir;
  fs::create_directories("site");
  fs::create_directories("elsewhere");
  WriteFileText("victim.txt", "v");
  fs::create_symlink("../victim.txt", "site/index.html");
  fs::create_symlink("../elsewhere", "site/fonts");
  fs::create_symlink("../gone", "site/files");
  SiteFolder folder;
  ASSERT_TRUE(OpenSiteFolder("site", folder));
  for (const char* name : {"index.html", "fonts/a.ttf", "files/a.txt"}) {
    std::string error;
    EXPECT_FALSE(WriteSiteBytes(folder, name, "x", error)) << name;
    EXPECT_NE(error.find("refusing a name that passes through a link"), std::string::npos) << error;
  }
  ASSERT_EQ(RunMagtool("new mine").status, 0);
  fs::create_symlink("../elsewhere", "site/music");
  const ChildResult run = RunMagtool("web mine site");
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.out.find("refusing a name that passes through a link in site"), std::string::npos)
      << run.out;
  EXPECT_EQ(ReadFileText("victim.txt"), "v");
  EXPECT_TRUE(fs::is_empty("elsewhere"));
  EXPECT_FALSE(fs::exists("gone"));

  Site site;
  ASSERT_TRUE(OpenSiteFolder("out", site.out));
  site.beside = "mine";
  fs::create_symlink("../victim.txt", "mine/notes.txt");
  EXPECT_EQ(SiteDocument(site, "notes.txt"), "");
  EXPECT_TRUE(site.failed);
  Site followed;
  followed.beside = "mine";
  followed.followLinks = true;
  ASSERT_TRUE(OpenSiteFolder("out", followed.out));
  EXPECT_EQ(SiteDocument(followed, "notes.txt"), "files/notes.txt");
  EXPECT_EQ(ReadFileText("out/files/notes.txt"), "v");
}

// Every page of the demo is well formed, links only to files of the site
// and names its article's title; black stays transparent in the pictures.
// The engine and the archive come along, and the pages lead into them.
TEST(WebSite, WritesASelfContainedSiteOfTheDemo) {
  ScratchDir dir{nullptr, ScratchDir::STAY};
  const fs::path site = dir.File("site");
  const EngineFolder engine(FakeEngine(dir.File("engine")));
  const ChildResult run = RunMagtool(std::string("web ") + DEMO_ARCHIVE + " " + site.string());
  ASSERT_EQ(run.status, 0) << run.out;
  int pages = 0;
  ResourceUsePlaces({DEMO_ARCHIVE, dir.path()});
  for (const auto& entry : fs::recursive_directory_iterator(site)) {
    const std::string ext = entry.path().extension().string();
    if (ext != ".html" && ext != ".css") continue;
    const std::string text = ReadFileText(entry.path().string());
    const std::string name = entry.path().lexically_relative(site).string();
    for (const std::string& ref : References(text)) {
      EXPECT_FALSE(ref.empty() || ref[0] == '/' || ref.find(':') != std::string::npos)
          << name << ": " << ref;
      if (ref == "#" || name.rfind("files/", 0) == 0) continue;
      const std::string file = ref.substr(0, ref.find_first_of("?#"));
      EXPECT_TRUE(fs::is_regular_file(entry.path().parent_path() / file)) << name << ": " << ref;
    }
    if (ext != ".html" || name.rfind("files/", 0) == 0) continue;
    std::string fault;
    EXPECT_TRUE(Balanced(text, fault)) << name << ": " << fault;
    if (name == "search.html" || name == "read.html" || name == "closing.html") continue;
    if (name.rfind("pictures/", 0) == 0) continue;
    ++pages;
    EXPECT_NE(text.find("<title>" + Title(name) + "</title>"), std::string::npos) << name;
  }
  const std::string monoTtf = ReadFileText(ResourceFile("DATA/fonts/mono.ttf").name());
  const std::string sansTtf = ReadFileText(ResourceFile("DATA/fonts/arial.ttf").name());
  ResourceCloseAll();
  ResourceUsePlaces({});
  EXPECT_EQ(pages, 10);
  EXPECT_NE(ReadFileText(site / "tracker.html").find("href=\"#\" data-tune=\"DATA/msx/tune1.xm\""),
            std::string::npos);
  const std::string story = ReadFileText(site / "story.html");
  EXPECT_NE(story.find("<meta name=\"author\" content=\"Mara Quillfeather\">"), std::string::npos);
  EXPECT_NE(story.find("<meta name=\"description\" content=\"story fiction floppy disk sector night\">"),
            std::string::npos);
  // A link broken over two lines is one tab stop; the headline is a heading.
  const std::string making = ReadFileText(site / "making.html");
  EXPECT_NE(making.find("<h2 class=\"l\""), std::string::npos);
  EXPECT_NE(making.find("tune\">the</a>"), std::string::npos);
  EXPECT_NE(making.find("tune\" tabindex=\"-1\">opening tune</a>"), std::string::npos);
  const std::string search = ReadFileText(site / "search.html");
  for (const char* framed : {"frame/0-top.png", "<nav id=\"player\"", "site.js"}) {
    EXPECT_NE(search.find(framed), std::string::npos) << framed;
  }
  const std::string index = ReadFileText(site / "index.html");
  EXPECT_NE(index.find("data-tune=\"DATA/msx/beg.xm\""), std::string::npos);
  EXPECT_NE(index.find("href=\"#\" data-panel=\"1\""), std::string::npos);
  EXPECT_NE(index.find("href=\"files/credits.html\" target=\"_blank\" rel=\"noopener\""),
            std::string::npos);
  EXPECT_NE(index.find("<link rel=\"icon\" href=\"icon.png\">"), std::string::npos);
  // Every button of the three panels does something; EXIT leads to the
  // credits' words, a "PIX:" link to its picture framed with the player.
  const std::regex button("class=\"btn\" href=");
  EXPECT_EQ(std::distance(std::sregex_iterator(index.begin(), index.end(), button), {}), 11 + 13 + 8);
  EXPECT_NE(ReadFileText(site / "closing.html").find("<p>MARROWIN<br>Issue #1</p>"), std::string::npos);
  EXPECT_NE(ReadFileText(site / "gallery.html").find("href=\"pictures/gallery/dusk.png.html\""),
            std::string::npos);
  EXPECT_NE(ReadFileText(site / "pictures/gallery/dusk.png.html").find("<nav id=\"player\""),
            std::string::npos);
  // Each article's text is in its page, as text.
  for (auto [page, text] : {std::pair{"gallery", "Five pictures, each as large as the scre"},
                            {"help", "is read on the screen, one page"},
                            {"history", "enthusiasts already wanted"},
                            {"making", "Every issue starts with an empty folder"},
                            {"story", "my grandfather used to say,"},
                            {"type", "Type on paper is ink that soaks into fib"}}) {
    EXPECT_NE(ReadFileText(site / (std::string(page) + ".html")).find(text), std::string::npos)
        << page;
  }
  // The two-column article's six pages of the reader are its three spreads.
  const std::string history = ReadFileText(site / "history.html");
  const std::regex spread("<div class=\"spread\">");
  EXPECT_EQ(std::distance(std::sregex_iterator(history.begin(), history.end(), spread), {}), 3);
  for (const char* name : ENGINE_FILES) EXPECT_EQ(ReadFileText(site / name), name);
  EXPECT_EQ(ReadFileBytes(site / "data.rs"), ReadFileBytes(DEMO_ARCHIVE));
  EXPECT_NE(index.find("<a id=\"engine\" href=\"read.html\">"), std::string::npos);
  EXPECT_NE(index.find("<button id=\"enter\""), std::string::npos);
  EXPECT_NE(story.find("href=\"read.html?start=DATA/arts/story.art\""), std::string::npos);
  // The faces are WOFF2, the text shown at once in a close local face. The
  // mono face keeps just what the pages set in it; Liberation Sans, whose
  // trademarked name a subset may not carry, goes whole.
  EXPECT_NE(ReadFileText(site / "issue.css")
                .find("@font-face{font-family:f2;src:url(fonts/mono.woff2) "
                      "format(\"woff2\");font-display:swap}"),
            std::string::npos);
  EXPECT_NE(index.find("{font-family:f2,\"DejaVu Sans Mono\","), std::string::npos);
  const HbFace mono = FaceOf(Woff2Font(site / "fonts/mono.woff2")), monoWhole = FaceOf(monoTtf);
  EXPECT_LT(hb_face_get_glyph_count(mono.get()) * 10, hb_face_get_glyph_count(monoWhole.get()));
  const std::string sans = Woff2Font(site / "fonts/arial.woff2");
  EXPECT_EQ(hb_face_get_glyph_count(FaceOf(sans).get()),
            hb_face_get_glyph_count(FaceOf(sansTtf).get()));
  const std::unique_ptr<hb_set_t, decltype(&hb_set_destroy)> kept(hb_set_create(), hb_set_destroy);
  hb_face_collect_unicodes(mono.get(), kept.get());
  for (char32_t c : std::u32string(U"int main() { return 0; }C-4A08<")) {
    EXPECT_TRUE(hb_set_has(kept.get(), c)) << uint32_t{c};
  }
  EXPECT_FALSE(hb_set_has(kept.get(), U'\u0416'));
  EXPECT_EQ(Alpha((site / "pictures/emblem.png").string(), 0, 0), 0);
  EXPECT_EQ(Alpha((site / "pictures/emblem.png").string(), 48, 48), 255);
}

// The OS/2 fsType bits decide whether a face may be cut down or go out at all.
TEST(WebSite, FacesGoOutAsTheirLicencesAllow) {
  std::string font = ReadFileText(TEST_FONT_DIR "/DejaVuSansMono.ttf");
  const FaceTables free = ReadFaceTables(font);
  EXPECT_EQ(free.use, FaceUse::SUBSET);
  EXPECT_EQ(free.fallback, "\"DejaVu Sans Mono\",\"Bitstream Vera Sans Mono\",monospace");
  EXPECT_EQ(ReadFaceTables("not a font").use, FaceUse::WITHHELD);
  const HbFace face = FaceOf(font);
  const HbBlob os2(hb_face_reference_table(face.get(), HB_TAG('O', 'S', '/', '2')),
                   hb_blob_destroy);
  const HbBlob whole(hb_face_reference_blob(face.get()), hb_blob_destroy);
  const size_t fsType =
      hb_blob_get_data(os2.get(), nullptr) - hb_blob_get_data(whole.get(), nullptr) + 8;
  for (auto [bits, use] : {std::pair{0x0100, FaceUse::WHOLE}, {0x0002, FaceUse::WITHHELD},
                           {0x0004, FaceUse::SUBSET}, {0x0208, FaceUse::WITHHELD}}) {
    font[fsType] = static_cast<char>(bits >> 8);
    font[fsType + 1] = static_cast<char>(bits);
    EXPECT_EQ(ReadFaceTables(font).use, use) << bits;
  }
}

// A folder's archive is packed for the site as pack packs it; the engine is
// left out when asked, a missing one is a note, not a failure, and no page
// takes its place.
TEST(WebSite, CarriesTheEngineOnlyWhenFoundAndWanted) {
  ScratchDir dir;
  ASSERT_EQ(RunMagtool("new mine").status, 0);
  {
    const EngineFolder engine(FakeEngine("engine"));
    ChildResult run = RunMagtool("web mine site");
    ASSERT_EQ(run.status, 0) << run.out;
    const std::string list = RunMagtool("list site/data.rs").out;
    EXPECT_NE(list.find("DATA/arts/index.art\t"), std::string::npos) << list;
    EXPECT_NE(list.find("\thuff"), std::string::npos) << list;
    EXPECT_TRUE(fs::exists("site/read.html"));
    // Without keywords a page is described by its first sentence after the heading.
    const std::string editor = ReadFileText("mine/DATA/arts/editor.art");
    WriteFileText("mine/DATA/arts/editor.art", std::regex_replace(editor, std::regex("<#KEYWORDS#>.*<#END#>"), ""));
    run = RunMagtool("web --no-engine mine bare");
    ASSERT_EQ(run.status, 0) << run.out;
    EXPECT_NE(ReadFileText("bare/editor.html").find("<meta name=\"description\" content=\"magtool new made My "
                                                    "magazine as a start: replace its words and pictures with yours.\">"),
              std::string::npos);
  }
  const EngineFolder nowhere("nowhere");
  const ChildResult lone = RunMagtool("web mine lone");
  EXPECT_EQ(lone.status, 0) << lone.out;
  EXPECT_NE(lone.out.find("magtool: note: no web engine found"), std::string::npos) << lone.out;
  for (const char* site : {"bare", "lone"}) {
    EXPECT_FALSE(fs::exists(fs::path(site) / "read.html")) << site;
    EXPECT_FALSE(fs::exists(fs::path(site) / "data.rs")) << site;
    EXPECT_EQ(ReadFileText(fs::path(site) / "index.html").find("read.html"), std::string::npos);
  }
  // An article whose page would take the engine's or the site's own place is refused.
  fs::copy_file("mine/DATA/arts/editor.art", "mine/DATA/arts/read.art");
  fs::copy_file("mine/DATA/arts/editor.art", "mine/DATA/arts/closing.art");
  std::string index = ReadFileText("mine/DATA/arts/index.art");
  index.replace(index.find("editor.art"), 10, "read.art");
  index += "<#LINK:ART:DATA/arts/closing.art#>x<#ENDL#>\n";
  WriteFileText("mine/DATA/arts/index.art", index);
  const EngineFolder engine("engine");
  const ChildResult clash = RunMagtool("web mine site");
  EXPECT_EQ(clash.status, 1);
  EXPECT_NE(clash.out.find("read.art: its page would replace the web engine's read.html"),
            std::string::npos) << clash.out;
  EXPECT_NE(clash.out.find("closing.art: its page would replace the site's own closing.html"),
            std::string::npos) << clash.out;
  EXPECT_EQ(ReadFileText("site/read.html"), "read.html");
}

// Links as the reader takes them: a panel number wrapped around the issue's
// panels, a web or mail address in a new tab, as it is.
TEST(WebSite, PanelNumbersWrapAndAddressesOpenAsTheyAre) {
  ScratchDir dir;
  Site site;
  site.panelCount = 3;
  for (auto [target, attributes] : {std::pair{"PAN:5", " href=\"#\" data-panel=\"2\""},
                                    {"PAN:-4", " href=\"#\" data-panel=\"1\""},
                                    {"PAN:0x2", " href=\"#\" data-panel=\"2\""},
                                    {"PAN:x", ""},
                                    {"EXE:HTTPS://example.org/?a=1&b",
                                     " href=\"HTTPS://example.org/?a=1&amp;b\" target=\"_blank\" rel=\"noopener\""},
                                    {"EXE:mailto:ed@example.org",
                                     " href=\"mailto:ed@example.org\" target=\"_blank\" rel=\"noopener\""}}) {
    const LinkHtml link = LinkAttributes(site, "index.html", DecodeLinkTarget(target));
    EXPECT_EQ(link.attributes, attributes) << target;
    EXPECT_EQ(link.anchor, *attributes != '\0') << target;
  }
  site.panelCount = 1;
  EXPECT_EQ(LinkAttributes(site, "index.html", DecodeLinkTarget("PAN:7")).attributes, " href=\"#\" data-panel=\"0\"");
}
