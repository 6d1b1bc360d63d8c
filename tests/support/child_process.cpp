#include "support/child_process.h"

#include "base/fatal.h"

#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

namespace {

std::string ReadAll(int fd) {
  std::string text;
  char buffer[4096];
  for (ssize_t n; (n = read(fd, buffer, sizeof buffer)) > 0;) text.append(buffer, n);
  return text;
}

ChildResult Result(int raw, std::string out) {
  return {WIFEXITED(raw), WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, std::move(out)};
}

}  // namespace

ChildResult RunInChild(const std::function<void()>& body) {
  int pipeFds[2];
  if (pipe(pipeFds) != 0) std::abort();
  std::fflush(stdout);
  pid_t pid = fork();
  if (pid == 0) {
    close(pipeFds[0]);
    dup2(pipeFds[1], STDOUT_FILENO);
    close(pipeFds[1]);
    SetFatalHandler(nullptr);  // the engine's own policy: print and exit
    body();
    std::exit(99);
  }
  close(pipeFds[1]);
  std::string out = ReadAll(pipeFds[0]);
  close(pipeFds[0]);
  int raw = 0;
  waitpid(pid, &raw, 0);
  return Result(raw, std::move(out));
}

ChildResult RunCommand(const std::string& command) {
  std::fflush(stdout);
  FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) std::abort();
  std::string out = ReadAll(fileno(pipe));
  return Result(pclose(pipe), std::move(out));
}

ChildResult RunMagtool(const std::string& arguments) {
  return RunCommand(std::string(MAGTOOL_PATH) + " " + arguments + " 2>&1");
}
