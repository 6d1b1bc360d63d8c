#include "platform/checker_run.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <system_error>

extern char** environ;

namespace {

constexpr size_t OUTPUT_MAX = 1 << 16;  // a report's first lines are all that count

}  // namespace

CheckerRun::~CheckerRun() {
  Stop();
  for (const Child& child : finishing_) close(child.output);
}

void CheckerRun::Reap() {
  std::erase_if(finishing_, [](const Child& child) {
    int status = 0;
    if (waitpid(child.pid, &status, WNOHANG) == 0) return false;
    close(child.output);
    return true;
  });
}

bool CheckerRun::Start(const std::string& program, const std::string& target) {
  Stop();
  int pipeEnds[2];
  if (pipe2(pipeEnds, O_CLOEXEC) != 0) return false;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], STDOUT_FILENO);
  posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
  std::string command = "check", path = target, name = program;
  char* argv[] = {name.data(), command.data(), path.data(), nullptr};
  pid_t pid = -1;
  const bool started = posix_spawn(&pid, program.c_str(), &actions, nullptr, argv, environ) == 0;
  posix_spawn_file_actions_destroy(&actions);
  close(pipeEnds[1]);
  if (!started) {
    close(pipeEnds[0]);
    return false;
  }
  fcntl(pipeEnds[0], F_SETFL, O_NONBLOCK);
  running_ = {pid, pipeEnds[0]};
  text_.clear();
  return true;
}

std::optional<std::string> CheckerRun::Poll() {
  Reap();
  if (running_.pid < 0) return std::nullopt;
  char buffer[4096];
  ssize_t got = 0;
  while ((got = read(running_.output, buffer, sizeof buffer)) > 0) {
    if (text_.size() < OUTPUT_MAX) text_.append(buffer, static_cast<size_t>(got));
  }
  if (got < 0 && (errno == EAGAIN || errno == EINTR)) return std::nullopt;  // more to come
  int status = 0;
  waitpid(running_.pid, &status, 0);
  close(running_.output);
  running_ = {-1, -1};
  return text_;
}

void CheckerRun::Stop() {
  Reap();
  if (running_.pid >= 0) finishing_.push_back(running_);
  running_ = {-1, -1};
}

std::string CheckerBesideReader() {
  std::error_code error;
  const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
  if (error) return {};
  const std::filesystem::path checker = self.parent_path() / "magtool";
  return access(checker.c_str(), X_OK) == 0 ? checker.string() : std::string();
}
