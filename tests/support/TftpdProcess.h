#pragma once
// tftpd-hpa (in.tftpd) as a child of one test, one server per loopback address, all on one port, each
// writing the files it receives into a temporary folder of its own. The test binds the sockets itself and
// hands each to its server as standard input (the way inetd starts it), so no other program can take a
// port between picking and serving. The servers run as the test's own user on a port above 1023; the
// folder change (chroot) they make needs the test to run as root, as the build machine does.
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "support/ChildProcess.h"
#include "support/TempDir.h"

namespace testing_support {

class TftpdProcess {
 public:
  // Starts one server for each address; throws std::runtime_error.
  explicit TftpdProcess(const std::vector<std::string>& addresses);
  TftpdProcess(const TftpdProcess&) = delete;
  TftpdProcess& operator=(const TftpdProcess&) = delete;

  int Port() const { return port_; }
  // The folder where the server of the address writes what it receives.
  std::filesystem::path Folder(const std::string& address) const;

 private:
  struct Server {
    std::string address;
    TempDir dir;
    ChildProcess process;
  };
  std::vector<std::unique_ptr<Server>> servers_;
  int port_ = 0;
};

}  // namespace testing_support
