#pragma once
// Net-SNMP's own agent (snmpd) as a test peer: started on a loopback address of its own and a free high
// UDP port, with a small configuration in a temporary folder of its own, so that tests may run in
// parallel. The constructor returns once the agent answers; the destructor stops it.
#include <netinet/in.h>

#include <string>
#include <vector>

#include "support/ChildProcess.h"
#include "support/TempDir.h"

namespace testing_support {

class SnmpdProcess {
 public:
  struct Options {
    std::string readCommunity = "public";
    std::string writeCommunity = "private";
    std::string extraConfig;  // further snmpd.conf lines
    std::string address;      // a loopback address; empty: one no other test is likely to use
    int port = 0;             // 0: a port free on the address
  };

  SnmpdProcess() : SnmpdProcess(Options{}) {}
  // Throws std::runtime_error when the agent cannot be started or does not answer.
  explicit SnmpdProcess(Options options);
  SnmpdProcess(const SnmpdProcess&) = delete;
  SnmpdProcess& operator=(const SnmpdProcess&) = delete;

  const std::string& Address() const { return address_; }
  int Port() const { return port_; }
  const std::string& ReadCommunity() const { return options_.readCommunity; }
  const std::string& WriteCommunity() const { return options_.writeCommunity; }
  // "udp:ADDRESS:PORT", the agent as Net-SNMP's command-line tools name it.
  std::string Peer() const;

  // Runs one of Net-SNMP's command-line tools (snmpget, snmpset, ...) with the arguments, numeric OIDs
  // and no MIBs; its exit code, with standard output in output.
  int RunTool(const std::string& tool, const std::vector<std::string>& args, std::string& output) const;

 private:
  bool Start();
  bool Answers() const;

  Options options_;
  TempDir dir_;
  std::string address_;
  int port_ = 0;
  ChildProcess agent_;
};

// An IPv4 socket address from dotted text and a port.
sockaddr_in SocketAddress(const std::string& address, int port);
// A loopback address (127.x.y.z) that no other test is likely to use.
std::string UniqueLoopbackAddress();
// A UDP port that was free on the address a moment ago; 0 when none could be found.
int FreeUdpPort(const std::string& address);

}  // namespace testing_support
