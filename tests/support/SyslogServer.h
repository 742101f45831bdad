#pragma once
// A syslog server on a free loopback UDP port, which the syslog client is pointed at (PELLION_SYSLOG_PORT)
// for the server's lifetime.
#include <optional>
#include <string>

namespace testing_support {

class SyslogServer {
 public:
  SyslogServer();
  ~SyslogServer();
  SyslogServer(const SyslogServer&) = delete;
  SyslogServer& operator=(const SyslogServer&) = delete;

  // The next datagram's bytes; none when nothing came within the time-out.
  std::optional<std::string> Receive(int timeoutMs = 2000);

 private:
  int socket_ = -1;
};

}  // namespace testing_support
