#include "NetSnmpTool.h"

#include <fcntl.h>
#include <unistd.h>

#include "support/ChildProcess.h"

namespace devsim_test {

ToolResult RunNetSnmpTool(const std::string& tool, const std::string& community, const std::string& peer,
                          const std::vector<std::string>& arguments) {
  std::vector<std::string> words{"/usr/bin/" + tool, "-v1", "-c", community, "-On", "-t", "1", "-r", "0", "-m", "",
                                 "-M", "/dev/null", peer};
  words.insert(words.end(), arguments.begin(), arguments.end());

  ToolResult result;
  int output[2];
  if (pipe2(output, O_CLOEXEC) != 0) return result;
  testing_support::ChildProcess child(words, {.output = output[1], .error = output[1]});
  close(output[1]);
  char chunk[4096];
  for (ssize_t count; (count = read(output[0], chunk, sizeof chunk)) > 0;) result.output.append(chunk, count);
  close(output[0]);
  result.exitCode = child.Wait();
  return result;
}

}  // namespace devsim_test
