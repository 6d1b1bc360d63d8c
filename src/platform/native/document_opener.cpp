#include "platform/document_opener.h"

#include <spawn.h>
#include <sys/wait.h>

#include <vector>

extern char** environ;

namespace {

std::vector<pid_t> openers;  // started and not yet reaped

}  // namespace

void ReapOpeners() {
  std::erase_if(openers, [](pid_t pid) {
    int status = 0;
    return waitpid(pid, &status, WNOHANG) != 0;
  });
}

void OpenDocument(const std::string& argument) {
  ReapOpeners();
  std::string program = "xdg-open";
  // xdg-open takes a leading '-' as an option and knows no "--": as a name in
  // the current folder, the argument can only be a file.
  std::string copy = argument.starts_with('-') ? "./" + argument : argument;
  char* argv[] = {program.data(), copy.data(), nullptr};
  pid_t pid = 0;
  if (posix_spawnp(&pid, "xdg-open", nullptr, nullptr, argv, environ) == 0) openers.push_back(pid);
}
