#pragma once
// A program run as a child of a test: started with its standard streams on descriptors of the test,
// stopped by the destructor (also when the test fails). The child cannot outlive the test: it is killed
// when the thread that started it ends.
#include <sys/types.h>

#include <string>
#include <vector>

namespace testing_support {

class ChildProcess {
 public:
  // Where the child's standard streams go; -1 gives /dev/null for input and ours for output and error.
  struct Streams {
    int input = -1;
    int output = -1;
    int error = -1;
  };

  ChildProcess() = default;
  // Starts argv[0] (a path) with the arguments, in our environment plus the "NAME=value" variables
  // (which win). Not Running() when fork failed; a program that cannot be executed exits with 127.
  ChildProcess(const std::vector<std::string>& argv, Streams streams,
               const std::vector<std::string>& variables = {});
  ~ChildProcess() { Stop(); }
  ChildProcess(ChildProcess&& other) noexcept;
  ChildProcess& operator=(ChildProcess&& other) noexcept;
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;

  // Started and not yet reaped.
  bool Running() const { return pid_ > 0; }
  // Reaps the child when it has ended meanwhile; true then (or when it never ran).
  bool Ended();
  // Waits for the child to end; its exit code, -1 when it did not exit by itself or never ran.
  int Wait();
  // Asks the child to end (SIGTERM) and kills it when it has not ended within two seconds.
  void Stop();

 private:
  pid_t pid_ = -1;
};

}  // namespace testing_support
