// A fresh directory for a test: made current unless the test stays where it
// is, and removed with everything in it when the test ends.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

class ScratchDir {
 public:
  enum Mode { ENTER, STAY };

  // Made under base when that folder exists, else in the temporary folder.
  explicit ScratchDir(const char* base = nullptr, Mode mode = ENTER);
  ~ScratchDir();
  ScratchDir(const ScratchDir&) = delete;
  ScratchDir& operator=(const ScratchDir&) = delete;

  const std::string& path() const { return path_; }
  std::string File(const std::string& name) const { return path_ + "/" + name; }

 private:
  std::string path_;
  std::string previous_;
};

// A folder in memory, for tests that write too many files to flush each to disk.
constexpr const char* MEMORY_SCRATCH_BASE = "/dev/shm";

void WriteFileBytes(const std::string& path, const std::vector<uint8_t>& bytes);
std::vector<uint8_t> ReadFileBytes(const std::string& path);
void WriteFileText(const std::string& path, const std::string& text);
std::string ReadFileText(const std::string& path);
// 32-bit words little-endian, as the setup and key files hold them.
std::vector<uint8_t> LittleEndianWords(const std::vector<int32_t>& words);
bool FileExists(const std::string& path);
