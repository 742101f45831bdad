#include "platform/ShellOpen.h"

#include <cerrno>
#include <spawn.h>
#include <sys/wait.h>

extern char** environ;

namespace platform {

bool OpenWithDefaultApplication(const std::string& path) {
  // A shell puts xdg-open in the background and ends at once: we reap the shell and leave no child
  // behind, and the path travels as an argument, never as part of the command text.
  const char* argv[] = {"/bin/sh", "-c", "xdg-open \"$1\" </dev/null >/dev/null 2>&1 &", "sh", path.c_str(), nullptr};
  pid_t shell = 0;
  if (posix_spawn(&shell, "/bin/sh", nullptr, nullptr, const_cast<char**>(argv), environ) != 0) return false;
  int status = 0;
  while (waitpid(shell, &status, 0) < 0) {
    if (errno != EINTR) return false;
  }
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

}  // namespace platform
