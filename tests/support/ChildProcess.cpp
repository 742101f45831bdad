#include "support/ChildProcess.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <thread>
#include <utility>

extern char** environ;

namespace testing_support {
namespace {

// Our environment plus the given variables (which win).
std::vector<std::string> ChildEnvironment(const std::vector<std::string>& variables) {
  std::vector<std::string> env;
  for (char** e = environ; *e; ++e) {
    const std::string entry = *e;
    bool replaced = false;
    for (const std::string& x : variables)
      if (entry.compare(0, x.find('=') + 1, x, 0, x.find('=') + 1) == 0) replaced = true;
    if (!replaced) env.push_back(entry);
  }
  env.insert(env.end(), variables.begin(), variables.end());
  return env;
}

std::vector<char*> Pointers(std::vector<std::string>& texts) {
  std::vector<char*> pointers;
  for (std::string& t : texts) pointers.push_back(t.data());
  pointers.push_back(nullptr);
  return pointers;
}

}  // namespace

ChildProcess::ChildProcess(const std::vector<std::string>& argv, Streams streams,
                           const std::vector<std::string>& variables) {
  // Everything the child needs is made before fork: only async-signal-safe calls follow it.
  std::vector<std::string> arguments = argv;
  std::vector<std::string> env = ChildEnvironment(variables);
  std::vector<char*> args = Pointers(arguments);
  std::vector<char*> envp = Pointers(env);
  const pid_t parent = getpid();
  pid_ = fork();
  if (pid_ != 0) return;
  prctl(PR_SET_PDEATHSIG, SIGKILL);
  if (getppid() != parent) _exit(1);  // the test ended before prctl took effect
  const int input = streams.input >= 0 ? streams.input : open("/dev/null", O_RDONLY);
  if (input >= 0) dup2(input, STDIN_FILENO);  // left open: exec follows at once
  if (streams.output >= 0) dup2(streams.output, STDOUT_FILENO);
  if (streams.error >= 0) dup2(streams.error, STDERR_FILENO);
  execve(args[0], args.data(), envp.data());
  _exit(127);
}

ChildProcess::ChildProcess(ChildProcess&& other) noexcept : pid_(std::exchange(other.pid_, -1)) {}

ChildProcess& ChildProcess::operator=(ChildProcess&& other) noexcept {
  if (this != &other) {
    Stop();
    pid_ = std::exchange(other.pid_, -1);
  }
  return *this;
}

bool ChildProcess::Ended() {
  if (pid_ > 0 && waitpid(pid_, nullptr, WNOHANG) == pid_) pid_ = -1;
  return pid_ <= 0;
}

int ChildProcess::Wait() {
  if (pid_ <= 0) return -1;
  int status = 0;
  const bool reaped = waitpid(pid_, &status, 0) == pid_;
  pid_ = -1;
  return reaped && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

void ChildProcess::Stop() {
  if (pid_ <= 0) return;
  kill(pid_, SIGTERM);
  for (int i = 0; i < 200; ++i) {
    if (Ended()) return;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  kill(pid_, SIGKILL);
  waitpid(pid_, nullptr, 0);
  pid_ = -1;
}

}  // namespace testing_support
