#include "support/SyslogServer.h"

#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdlib>

#include "platform/Environment.h"

namespace testing_support {

SyslogServer::SyslogServer() {
  socket_ = ::socket(AF_INET, SOCK_DGRAM, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t length = sizeof address;
  if (bind(socket_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
      getsockname(socket_, reinterpret_cast<sockaddr*>(&address), &length) != 0)
    ADD_FAILURE() << "cannot bind a loopback socket";
  setenv("PELLION_SYSLOG_PORT", std::to_string(ntohs(address.sin_port)).c_str(), 1);
  platform::ReloadOverrides();
}

SyslogServer::~SyslogServer() {
  close(socket_);
  unsetenv("PELLION_SYSLOG_PORT");
  platform::ReloadOverrides();
}

std::optional<std::string> SyslogServer::Receive(int timeoutMs) {
  pollfd ready{socket_, POLLIN, 0};
  if (poll(&ready, 1, timeoutMs) != 1) return std::nullopt;
  char bytes[65536];
  const ssize_t size = recv(socket_, bytes, sizeof bytes, 0);
  return size < 0 ? std::nullopt : std::optional<std::string>(std::string(bytes, size));
}

}  // namespace testing_support
