#include "DatagramLoop.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>

#include <cerrno>

namespace consolesim {

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
