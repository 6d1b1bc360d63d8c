#include "generators/file_writer.h"

#include <fstream>

bool WriteText(const std::string& path, std::string_view text) {
  std::ofstream out(path, std::ios::binary);
  out.write(text.data(), static_cast<std::streamsize>(text.size()));
  out.close();
  return static_cast<bool>(out);
}

bool WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
  return WriteText(path, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}
