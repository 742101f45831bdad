#include "support/TftpdProcess.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <pwd.h>
#include <sys/socket.h>
#include <unistd.h>

#include <stdexcept>

namespace testing_support {

namespace {

constexpr const char* kTftpdBinary = "/usr/sbin/in.tftpd";
constexpr int kAttempts = 20;

// A UDP socket bound to address:port (0: a port the kernel picks); -1 when it cannot be bound.
int BoundSocket(const std::string& address, int port) {
  const int fd = socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
  if (fd < 0) return -1;
  sockaddr_in sa{};
  sa.sin_family = AF_INET;
  sa.sin_port = htons(static_cast<std::uint16_t>(port));
  inet_pton(AF_INET, address.c_str(), &sa.sin_addr);
  if (bind(fd, reinterpret_cast<sockaddr*>(&sa), sizeof sa) != 0) {
    close(fd);
    return -1;
  }
  return fd;
}

int PortOf(int fd) {
  sockaddr_in sa{};
  socklen_t length = sizeof sa;
  getsockname(fd, reinterpret_cast<sockaddr*>(&sa), &length);
  return ntohs(sa.sin_port);
}

std::string UserName() {
  const passwd* user = getpwuid(geteuid());
  return user != nullptr ? user->pw_name : "root";
}

}  // namespace

TftpdProcess::TftpdProcess(const std::vector<std::string>& addresses) {
  for (int attempt = 0; attempt < kAttempts && port_ == 0; ++attempt) {
    // Every address on one port: the first one's, if the others have it free too.
    std::vector<int> sockets;
    for (const std::string& address : addresses) {
      const int fd = BoundSocket(address, sockets.empty() ? 0 : PortOf(sockets.front()));
      if (fd < 0) break;
      sockets.push_back(fd);
    }
    if (sockets.size() == addresses.size()) {
      port_ = PortOf(sockets.front());
      for (size_t i = 0; i < addresses.size(); ++i) {
        auto server = std::make_unique<Server>();
        server->address = addresses[i];
        // -c: files may be created; -p: only the system's own permission checks; -s: names are relative to the
        // folder; -t: the idle server stays up.
        server->process = ChildProcess({kTftpdBinary, "-c", "-p", "-s", "-t", "600", "-u", UserName(), "-U", "022",
                                        server->dir.Path().string()},
                                       {.input = sockets[i]});
        servers_.push_back(std::move(server));
      }
    }
    for (int fd : sockets) close(fd);
  }
  if (port_ == 0) throw std::runtime_error("no port free on every address for tftpd");
}

std::filesystem::path TftpdProcess::Folder(const std::string& address) const {
  for (const auto& server : servers_)
    if (server->address == address) return server->dir.Path();
  throw std::runtime_error("no tftpd for " + address);
}

}  // namespace testing_support
