// An LLDP neighbour whose address has no route answers nothing, as a silent one does: the device factory
// judges no device there, so its kind comes from its LLDP capabilities. The address is made unroutable in
// a network namespace of the test's own (a child process, in which only a loopback that is down exists).
#include <gtest/gtest.h>
#include <sched.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>

#include "device/DeviceFactory.h"
#include "support/SnmpDefaults.h"

namespace {

constexpr int kNoNamespace = 77;

// Runs check in a child process inside a new network namespace; its exit code, or kNoNamespace when the
// system gives the test no namespace.
int InEmptyNetwork(int (*check)()) {
  const pid_t child = fork();
  if (child == 0) {
    if (unshare(CLONE_NEWUSER | CLONE_NEWNET) != 0) _exit(kNoNamespace);
    _exit(check());
  }
  int status = 0;
  if (child < 0 || waitpid(child, &status, 0) != child || !WIFEXITED(status)) return -1;
  return WEXITSTATUS(status);
}

TEST(UnroutableAddressTest, AnAddressWithoutARouteIsNoDevice) {
  SetSnmpDefaults("public", "private", 20);
  const int result = InEmptyNetwork([] {
    std::string root = "kept";
    const int kind = JudgeDeviceType("10.1.2.3", "private", root);
    if (kind != -1) return 10 + kind;  // 10 an unknown device, 11 a switch, 12 an AP
    return CreateDevice("10.1.2.3", "private") == nullptr ? 0 : 1;
  });
  if (result == kNoNamespace) GTEST_SKIP() << "no network namespace for this test";
  EXPECT_EQ(result, 0);
}

}  // namespace
