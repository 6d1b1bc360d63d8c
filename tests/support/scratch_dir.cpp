#include "support/scratch_dir.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace fs = std::filesystem;

ScratchDir::ScratchDir(const char* base, Mode mode) {
  std::error_code error;
  const bool inBase = base != nullptr && fs::is_directory(base, error);
  const fs::path folder = inBase ? fs::path(base) : fs::temp_directory_path();
  std::string pattern = (folder / "diskmag_test_XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) std::abort();
  path_ = pattern;
  if (mode == STAY) return;
  previous_ = fs::current_path().string();
  fs::current_path(path_);
}

ScratchDir::~ScratchDir() {
  if (!previous_.empty()) fs::current_path(previous_);
  std::error_code error;
  fs::remove_all(path_, error);
}

void WriteFileBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

std::vector<uint8_t> ReadFileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteFileText(const std::string& path, const std::string& text) {
  WriteFileBytes(path, {text.begin(), text.end()});
}

std::string ReadFileText(const std::string& path) {
  const std::vector<uint8_t> bytes = ReadFileBytes(path);
  return {bytes.begin(), bytes.end()};
}

std::vector<uint8_t> LittleEndianWords(const std::vector<int32_t>& words) {
  std::vector<uint8_t> bytes;
  for (int32_t v : words) {
    for (int shift = 0; shift < 32; shift += 8) bytes.push_back(static_cast<uint8_t>(v >> shift));
  }
  return bytes;
}

bool FileExists(const std::string& path) { return fs::exists(path); }
