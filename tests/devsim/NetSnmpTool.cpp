#include "NetSnmpTool.h"

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace devsim_test {

ToolResult RunNetSnmpTool(const std::string& tool, const std::string& community, const std::string& peer,
                          const std::vector<std::string>& arguments) {
  std::vector<std::string> words{"/usr/bin/" + tool, "-v1", "-c", community, "-On", "-t", "1", "-r", "0", "-m", "",
                                 "-M", "/dev/null", peer};
  words.insert(words.end(), arguments.begin(), arguments.end());
  std::vector<char*> argv;
  for (auto& word : words) argv.push_back(word.data());
  argv.push_back(nullptr);

  ToolResult result;
  int output[2];
  if (pipe(output) != 0) return result;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, output[1], STDOUT_FILENO);
  posix_spawn_file_actions_adddup2(&actions, output[1], STDERR_FILENO);
  posix_spawn_file_actions_addclose(&actions, output[0]);
  pid_t pid = -1;
  const int spawned = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  close(output[1]);
  char chunk[4096];
  for (ssize_t count; (count = read(output[0], chunk, sizeof chunk)) > 0;) result.output.append(chunk, count);
  close(output[0]);
  int status = 0;
  if (spawned == 0 && waitpid(pid, &status, 0) == pid && WIFEXITED(status)) result.exitCode = WEXITSTATUS(status);
  return result;
}

}  // namespace devsim_test
