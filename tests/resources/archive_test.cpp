#include "resources/archive.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>

#include <csignal>

#include <cstring>
#include <filesystem>

#include "magtool/huff_encode.h"
#include "resources/archive_format.h"
#include "resources/byte_reader.h"
#include "resources/huff.h"
#include "resources/resource_file.h"
#include "resources/temp_files.h"
#include "support/child_process.h"
#include "support/fatal_catch.h"
#include "support/scratch_dir.h"

namespace {

std::vector<uint8_t> Bytes(const std::string& text) { return {text.begin(), text.end()}; }

// One member as the bytes of its header and payload, whatever the fields say.
std::vector<uint8_t> RawMember(const std::string& name, int32_t storedSize, int32_t size,
                               uint8_t packed, const std::vector<uint8_t>& payload,
                               int32_t magic = RESOURCE_MAGIC) {
  ResourceHeader header{magic, {}, storedSize, size, packed};
  std::memcpy(header.name, name.data(), std::min(name.size(), RESOURCE_NAME_SIZE));
  const ResourceHeaderBytes head = EncodeResourceHeader(header);
  std::vector<uint8_t> bytes(head.begin(), head.end());
  bytes.insert(bytes.end(), payload.begin(), payload.end());
  return bytes;
}

std::vector<uint8_t> Stored(const std::string& name, const std::string& text) {
  return RawMember(name, static_cast<int32_t>(text.size()), static_cast<int32_t>(text.size()), 0,
                   Bytes(text));
}

std::vector<uint8_t> Concat(std::initializer_list<std::vector<uint8_t>> parts) {
  std::vector<uint8_t> all;
  for (const auto& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}

class ArchiveTest : public ::testing::Test {
 protected:
  void TearDown() override {
    ResourceCloseAll();
    ResourceUsePlaces({});
  }

  // The contents that path resolves to, the name closed again.
  std::string Read(const char* path) {
    const char* name = ResourceOpen(path);
    const std::string text = ReadFileText(name);
    ResourceClose(name);
    return text;
  }

  ScratchDir dir;
};

}  // namespace

TEST_F(ArchiveTest, EmptyArchiveFallsBackToBaseNames) {
  WriteFileBytes("data.rs", {});
  const std::pair<const char*, const char*> cases[] = {
      {"DATA/configs/setup.cfg", "setup.cfg"}, {"DATA\\saved\\fil_0.txt", "fil_0.txt"}, {"", ""}};
  for (auto [path, base] : cases) {
    const char* name = ResourceOpen(path);
    EXPECT_STREQ(name, base);
    ResourceClose(name);
  }
  WriteFileText("history.tmp", "ART:x");  // closing a fallback name leaves the file
  EXPECT_EQ(Read("history.tmp"), "ART:x");
  EXPECT_TRUE(FileExists("history.tmp"));
}

// Case and backslashes do not matter, the later member wins, an empty packed
// member decodes to nothing and a cut last header is ignored.
TEST_F(ArchiveTest, MembersAreFoundByTheirFoldedPaths) {
  std::vector<uint8_t> bytes = Concat(
      {Stored("DATA/arts/Index.art", "first"), Stored("data\\ARTS\\index.ART", "second"),
       RawMember("empty.txt", 1024, 0, 1, std::vector<uint8_t>(HUFF_COUNTS_SIZE, 0)),
       Stored("DATA/other.txt", "other"), Stored("b.txt", "bbb")});
  bytes.resize(bytes.size() - 3 - 100);
  WriteFileBytes("data.rs", bytes);
  EXPECT_EQ(Read("data/arts/INDEX.art"), "second");
  EXPECT_EQ(Read("DATA\\other.TXT"), "other");
  EXPECT_EQ(Read("empty.txt"), "");
  EXPECT_STREQ(ResourceOpen("DATA/b.txt"), "b.txt");
}

TEST_F(ArchiveTest, TemporaryFilesAreNewFilesNeverReachedThroughALink) {
  WriteFileBytes("data.rs", Stored("DATA/a.txt", "member"));
  const int n = std::stoi(std::string(ResourceOpen("DATA/a.txt")).substr(4));
  auto nth = [&](int k) { return "tmp_" + std::to_string(n + k) + ".txt"; };
  WriteFileText("target", "kept");
  std::filesystem::create_symlink("target", nth(1));
  WriteFileBytes(nth(2), Bytes("another reader's"));
  EXPECT_EQ(ResourceOpen("DATA/a.txt"), nth(3));
  EXPECT_EQ(ReadFileText("target"), "kept");
  EXPECT_EQ(ReadFileText(nth(2)), "another reader's");
}

TEST_F(ArchiveTest, AFolderThatCannotTakeThemSendsExtractionsToAPrivateFolder) {
  WriteFileBytes("data.rs", Stored("DATA/a.txt", "member"));
  ResourceOpen("DATA/other.txt");  // opens the archive
  std::filesystem::remove_all(dir.path());  // nothing can be made in a removed folder
  const std::string name = ResourceOpen("DATA/a.txt");
  const std::filesystem::path folder = std::filesystem::path(name).parent_path();
  EXPECT_EQ(ReadFileText(name), "member");
  EXPECT_EQ(std::filesystem::status(folder).permissions(), std::filesystem::perms::owner_all);
  ResourceCloseAll();
  EXPECT_FALSE(std::filesystem::exists(folder));
  ChildResult child = RunInChild([] { std::fputs(PrivateFolder().c_str(), stdout); });
  EXPECT_FALSE(child.out.empty());
  EXPECT_FALSE(std::filesystem::exists(child.out)) << "removed at exit";
}

// Temporaries are deleted when closed, on a fatal path too, and all of them
// (with the archive) by CloseAll, after which ending a ResourceFile is no error.
TEST_F(ArchiveTest, TemporariesAreGivenBackOnAFatalPathAndByCloseAll) {
  WriteFileBytes("data.rs", Stored("a.txt", "aaa"));
  std::string name;
  EXPECT_EQ(FatalMessageOf([&] {
              const ResourceFile member("a.txt");
              name = member.name();
              ResourceOpen(std::string(PATH_MAX_CHARS + 1, 'x').c_str());
            }),
            "Resource path too long !");
  EXPECT_FALSE(FileExists(name));
  {
    const ResourceFile outliving("a.txt");
    name = ResourceOpen("a.txt");
    ResourceCloseAll();
  }  // the ResourceFile's end after CloseAll is no error
  EXPECT_FALSE(FileExists(name));
  EXPECT_EQ(FatalMessageOf([&] { ResourceClose(name.c_str()); }), "Resource closed !");
}

// Repacking under a running reader: the open archive keeps being read.
TEST_F(ArchiveTest, AnArchiveRenamedOverTheOpenOneIsNeverRead) {
  WriteFileBytes("data.rs", Concat({Stored("a.txt", "old a"), Stored("b.txt", "old b")}));
  EXPECT_EQ(Read("a.txt"), "old a");
  WriteFileBytes("new.rs", Concat({Stored("b.txt", "new, longer b"), Stored("c.txt", "c")}));
  std::filesystem::rename("new.rs", "data.rs");
  EXPECT_EQ(Read("b.txt"), "old b");
  ResourceReopen();  // as the watch does once the new one has held still
  EXPECT_TRUE(ResourceHas("c.txt"));
  EXPECT_EQ(Read("b.txt"), "new, longer b");
}

// An unpacked issue answers as its archive would: folded paths, the exact
// spelling first, never out of the folder, too long a name read into a
// temporary file; documents beside it are named with the folder.
TEST_F(ArchiveTest, AnIssueFolderAnswersAsItsArchiveWould) {
  std::filesystem::create_directories("issue/DATA/Arts");
  WriteFileText("issue/DATA/Arts/index.art", "second");
  WriteFileText("issue/DATA/Arts/Index.art", "first");
  WriteFileText("issue/credits.html", "c");
  WriteFileText("secret.txt", "reader's own");
  ResourceUsePlaces({"", "", "issue"});
  EXPECT_STREQ(ResourceOpen("data\\arts\\INDEX.ART"), "issue/DATA/Arts/Index.art");
  EXPECT_EQ(Read("DATA/Arts/index.art"), "second");
  const char* outside = ResourceOpen("DATA/../../secret.txt");  // nowhere, not by its base name
  EXPECT_FALSE(OpenFile(outside, "rb") || ResourceHas("DATA/../secret.txt"));
  EXPECT_EQ(ResourceShownName(outside), "secret.txt");
  EXPECT_EQ(ResourceIssueDocument("credits.html"), "issue/credits.html");
  EXPECT_EQ(ResourceIssueDocument("https://example.org"), "https://example.org");
  ResourceCloseAll();
  const std::string part(RESOURCE_HANDED_NAME_MAX / 2, 'd');
  const std::string deep = "issue/" + part + "/" + part;
  std::filesystem::create_directories(deep + "/DATA");
  WriteFileText(deep + "/DATA/a.txt", "deep");
  ResourceUsePlaces({"", "", deep});
  EXPECT_EQ(std::string(ResourceOpen("DATA/a.txt")).substr(0, 4), "tmp_");
  EXPECT_EQ(Read("DATA/A.TXT"), "deep");
  ResourceCloseAll();
  ResourceUsePlaces({"", "", "none"});
  EXPECT_EQ(FatalMessageOf([] { ResourceOpen("DATA/x.txt"); }), "Cannot open resource file !");
}

TEST_F(ArchiveTest, BadArchivesAndPathsStopWithTheirMessages) {
  EXPECT_EQ(FatalMessageOf([] { ResourceOpen("DATA/x.txt"); }), "Cannot open resource file !");
  ResourceCloseAll();
  std::vector<uint8_t> text = Bytes("some text to pack, some text to pack");
  std::vector<uint8_t> packed = HuffEncode(text.data(), text.size());
  auto packedSize = static_cast<int32_t>(packed.size());
  auto textSize = static_cast<int32_t>(text.size());
  std::vector<uint8_t> longName = RawMember("x", 0, 0, 0, {});
  std::memset(&longName[4], 'n', RESOURCE_NAME_SIZE);
  struct Case { const char* what; std::vector<uint8_t> archive; const char* message; };
  const Case cases[] = {
      {"bad magic", RawMember("a.txt", 0, 0, 0, {}, 0x667), "Broken resource file !"},
      {"name without NUL", longName, "Broken resource file !"},
      {"stored past the end", RawMember("a.txt", 5000, 5000, 0, Bytes("abc")), "Read error !"},
      {"absurd size", RawMember("a.txt", packedSize, 1 << 30, 1, packed), "HUFF broken !"},
      {"wrong length", RawMember("a.txt", packedSize, textSize - 1, 1, packed), "HUFF broken !"},
  };
  for (const Case& c : cases) {
    WriteFileBytes("data.rs", c.archive);
    EXPECT_EQ(FatalMessageOf([] { ResourceOpen("a.txt"); }), c.message) << c.what;
    ResourceCloseAll();
  }
  const std::string longBase = "DATA/" + std::string(300, 'b') + ".txt";
  EXPECT_EQ(FatalMessageOf([&] { ResourceOpen(longBase.c_str()); }), "Resource path too long !");
}

// Anything but a regular file is refused as missing, at once: no open waits on a FIFO.
TEST_F(ArchiveTest, FifosInPlaceOfTheReadersFilesAreNeverWaitedOn) {
  ASSERT_EQ(mkfifo("data.rs", 0600), 0);
  EXPECT_EQ(FatalMessageOf([] { ResourceOpen("a.txt"); }), "Cannot open resource file !");
  ResourceCloseAll();
  std::filesystem::remove("data.rs");
  WriteFileBytes("data.rs", {});
  ASSERT_EQ(mkfifo("history.tmp", 0600), 0);
  std::filesystem::create_directory("setup.cfg");
  std::vector<uint8_t> bytes;
  for (const char* path : {"history.tmp", "DATA/configs/setup.cfg"}) {
    const ResourceFile file(path);
    EXPECT_FALSE(file.Open() || file.OpenText() || ReadWholeFile(file.name(), bytes)) << path;
  }
}

// A killed reader's temporary files go at the next start; a running one's stay.
TEST_F(ArchiveTest, LeftoverTemporaryFilesOfKilledReadersAreRemoved) {
  WriteFileBytes("data.rs", Stored("a.txt", "a"));
  const std::string held = ResourceOpen("a.txt");
  const pid_t killed = fork();
  if (killed == 0) {
    ResourceOpen("a.txt");
    raise(SIGKILL);
  }
  waitpid(killed, nullptr, 0);
  WriteFileText("tmp_2_notes.txt", "not a temporary file");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator("."), {}), 4);
  ResourceRemoveLeftovers();
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator("."), {}), 3);
  EXPECT_TRUE(FileExists(held) && FileExists("tmp_2_notes.txt"));
}

TEST_F(ArchiveTest, NewestPathNamesTheMemberBeingRead) {
  WriteFileBytes("data.rs", Concat({Stored("a.txt", "a"), RawMember("bad.txt", 50, 50, 0, {})}));
  const uint64_t mark = ResourceRequestCount();
  const std::string a = ResourceOpen("A.TXT");
  const std::string b = ResourceOpen("DATA/b.txt");
  EXPECT_EQ(ResourceNewestPath(mark), "DATA/b.txt");
  EXPECT_EQ(ResourceNewestPath(mark + 2), "");  // opened before the mark
  ResourceClose(b.c_str());
  EXPECT_EQ(ResourceNewestPath(mark + 1), "") << "A.TXT was the mark's own request";
  EXPECT_EQ(ResourceNewestPath(mark), "A.TXT");
  ResourceClose(a.c_str());
  EXPECT_EQ(ResourceNewestPath(mark), "");
  EXPECT_EQ(FatalMessageOf([] { ResourceOpen("bad.txt"); }), "Read error !");
  EXPECT_EQ(ResourceNewestPath(mark), "bad.txt");  // failed before it got a handle
  ResourceCloseAll();
  EXPECT_EQ(ResourceNewestPath(mark), "");
}
