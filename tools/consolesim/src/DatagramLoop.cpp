#include "DatagramLoop.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>

#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <stdexcept>

namespace consolesim {

int BoundSocket(const std::string& address, std::uint16_t port, bool reuseAddress) {
  const int fd = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
  if (fd < 0) throw std::runtime_error("socket: " + std::string(std::strerror(errno)));
  const int on = 1;
  if (reuseAddress) ::setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
  sockaddr_in local{};
  local.sin_family = AF_INET;
  local.sin_port = htons(port);
  inet_aton(address.c_str(), &local.sin_addr);
  if (::bind(fd, reinterpret_cast<sockaddr*>(&local), sizeof local) != 0) {
    ::close(fd);
    throw std::runtime_error("bind " + address + ":" + std::to_string(port) + ": " + std::strerror(errno));
  }
  return fd;
}

void RunDatagramLoop(int socket, int wake, const DatagramHandler& handle) {
  pollfd fds[2] = {{socket, POLLIN, 0}, {wake, POLLIN, 0}};
  std::vector<std::uint8_t> buffer(2048);
  while (::poll(fds, 2, -1) >= 0 || errno == EINTR) {
    if (fds[1].revents) return;
    if (!(fds[0].revents & POLLIN)) continue;
    sockaddr_in from{};
    socklen_t length = sizeof from;
    const ssize_t n = ::recvfrom(socket, buffer.data(), buffer.size(), 0, reinterpret_cast<sockaddr*>(&from), &length);
    if (n < 0) continue;
    handle({buffer.begin(), buffer.begin() + n}, inet_ntoa(from.sin_addr), ntohs(from.sin_port));
  }
}

}  // namespace consolesim
