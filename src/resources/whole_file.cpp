#include "resources/whole_file.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "resources/temp_files.h"

namespace {

// The file's own permissions: the umask decides, as for any file created.
constexpr int WHOLE_FILE_MODE = 0666;

bool Failed(const std::string& partName, std::string& error) {
  error = std::strerror(errno);
  if (!partName.empty()) std::remove(partName.c_str());
  return false;
}

bool WriteAndSync(FilePtr& file, std::string_view bytes) {
  if (!bytes.empty() && std::fwrite(bytes.data(), bytes.size(), 1, file.get()) != 1) return false;
  if (std::fflush(file.get()) != 0 || fsync(fileno(file.get())) != 0) return false;
  return std::fclose(file.release()) == 0;
}

void Report(const std::string& line) {
  std::fputs((line + '\n').c_str(), stdout);
  std::fflush(stdout);
}

}  // namespace

bool WriteWholeFile(const std::string& name, std::string_view bytes, std::string& error) {
  std::string partName;
  int number = 0;
  FilePtr file = CreateNumberedFile(name + ".", number, ".part", WHOLE_FILE_MODE, partName);
  if (!file) return Failed("", error);
  if (!WriteAndSync(file, bytes)) {
    const int writeError = errno;
    file.reset();
    errno = writeError;
    return Failed(partName, error);
  }
  if (std::rename(partName.c_str(), name.c_str()) != 0) return Failed(partName, error);
  return true;
}

bool SaveWholeFile(const std::string& name, std::string_view bytes) {
  std::string error;
  if (WriteWholeFile(name, bytes, error)) return true;
  Report("Cannot write " + name + ": " + error);
  return false;
}

std::string SaveWholeFileOrPrivate(const std::string& name, std::string_view bytes) {
  std::string error;
  if (WriteWholeFile(name, bytes, error)) return name;
  std::string line = "Cannot write " + name + ": " + error;
  const std::string folder = PrivateFolder();
  std::string privateError = folder.empty() ? std::strerror(errno) : "";
  std::string written = folder.empty() ? "" : folder + name.substr(name.rfind('/') + 1);
  if (!written.empty() && !WriteWholeFile(written, bytes, privateError)) written.clear();
  Report(line + (written.empty() ? "; nor in a private folder: " + privateError
                                 : "; written to " + written + " until the reader ends"));
  return written;
}
