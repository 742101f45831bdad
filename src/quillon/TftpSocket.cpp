#include "quillon/TftpSocket.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace quillon {

ITftpSocket::OpenResult CUdpTftpSocket::Open(std::uint16_t localPort) {
  Close();
  const int fd = ::socket(AF_INET, SOCK_DGRAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
  if (fd < 0) return OpenResult::CreateFailed;
  sockaddr_in local{};
  local.sin_family = AF_INET;
  local.sin_addr.s_addr = htonl(INADDR_ANY);
  local.sin_port = htons(localPort);
  if (::bind(fd, reinterpret_cast<sockaddr*>(&local), sizeof local) != 0) {
    ::close(fd);
    return OpenResult::BindFailed;
  }
  fd_ = fd;
  return OpenResult::Ok;
}

bool CUdpTftpSocket::SendTo(std::uint32_t address, std::uint16_t port, std::span<const std::uint8_t> datagram) {
  if (fd_ < 0) return false;
  sockaddr_in to{};
  to.sin_family = AF_INET;
  to.sin_addr.s_addr = htonl(address);
  to.sin_port = htons(port);
  return ::sendto(fd_, datagram.data(), datagram.size(), 0, reinterpret_cast<sockaddr*>(&to), sizeof to) ==
         static_cast<ssize_t>(datagram.size());
}

std::optional<std::vector<std::uint8_t>> CUdpTftpSocket::Receive(std::size_t limit) {
  if (fd_ < 0) return std::nullopt;
  std::vector<std::uint8_t> bytes(limit);
  const ssize_t n = ::recv(fd_, bytes.data(), bytes.size(), MSG_DONTWAIT);
  if (n < 0) return std::nullopt;
  bytes.resize(static_cast<std::size_t>(n));
  return bytes;
}

void CUdpTftpSocket::Close() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
}

}  // namespace quillon
