#include "quillon/ConsoleTransport.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <thread>

#include "platform/Environment.h"
#include "platform/MessageBox.h"
#include "quillon/ConsoleProtocol.h"

namespace quillon {
namespace {

void ShowError(const char* text) { platform::MessageBox(text, "Error", platform::MB_ICONERROR); }

int OpenBoundSocket(std::uint16_t port) {
  const int fd = ::socket(AF_INET, SOCK_DGRAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
  if (fd < 0) {
    ShowError("Creat Socket error");
    return -1;
  }
  const int on = 1;
  ::setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
  sockaddr_in local{};
  local.sin_family = AF_INET;
  local.sin_addr.s_addr = htonl(INADDR_ANY);
  local.sin_port = htons(port);
  if (::bind(fd, reinterpret_cast<sockaddr*>(&local), sizeof local) != 0) {
    ::close(fd);
    ShowError("Bind socket error");
    return -1;
  }
  return fd;
}

in_addr AddressOf(const std::string& text) {
  in_addr address{};
  if (text.empty() || inet_aton(text.c_str(), &address) == 0) address.s_addr = htonl(INADDR_ANY);
  return address;
}

}  // namespace

ConsoleEndpoints ConsoleEndpoints::FromSettings(const std::string& group, std::uint16_t basePort) {
  const platform::Overrides overrides = platform::GetOverrides();
  ConsoleEndpoints endpoints;
  endpoints.multicastGroup = group;
  endpoints.basePort = basePort;
  if (overrides.consoleBasePort) endpoints.basePort = static_cast<std::uint16_t>(*overrides.consoleBasePort);
  if (!overrides.consoleBroadcast.empty()) endpoints.broadcastAddress = overrides.consoleBroadcast;
  if (!overrides.consoleMulticast.empty()) endpoints.multicastInterface = overrides.consoleMulticast;
  if (overrides.consoleTftpPort) endpoints.tftpPort = static_cast<std::uint16_t>(*overrides.consoleTftpPort);
  if (overrides.consoleTftpLocalPort)
    endpoints.tftpLocalPort = static_cast<std::uint16_t>(*overrides.consoleTftpLocalPort);
  return endpoints;
}

CUdpConsoleTransport::CUdpConsoleTransport(ConsoleEndpoints endpoints) : endpoints_(std::move(endpoints)) {}

CUdpConsoleTransport::~CUdpConsoleTransport() { CloseSockets(); }

void CUdpConsoleTransport::CreateBroadcastSocket() {
  const int fd = OpenBoundSocket(endpoints_.basePort);
  if (fd < 0) return;
  const int on = 1;
  if (::setsockopt(fd, SOL_SOCKET, SO_BROADCAST, &on, sizeof on) != 0) {
    ::close(fd);
    ShowError("Set socketopt error");
    return;
  }
  broadcast_ = fd;
}

bool CUdpConsoleTransport::CreateMulticastSocket() {
  const int fd = OpenBoundSocket(static_cast<std::uint16_t>(endpoints_.basePort + 6));
  if (fd < 0) return false;
  multicast_ = fd;
  const in_addr interface = AddressOf(endpoints_.multicastInterface);
  if (!ChangeMembership(IP_ADD_MEMBERSHIP) ||
      ::setsockopt(fd, IPPROTO_IP, IP_MULTICAST_IF, &interface, sizeof interface) != 0) {
    ::close(fd);
    multicast_ = -1;
    ShowError("Please check you network connection.\nUtility will close.");
    return false;
  }
  return true;
}

void CUdpConsoleTransport::CloseSockets() {
  for (int* fd : {&broadcast_, &multicast_}) {
    if (*fd >= 0) ::close(*fd);
    *fd = -1;
  }
}

bool CUdpConsoleTransport::ChangeMembership(int option) {
  ip_mreq membership{};
  if (inet_aton(endpoints_.multicastGroup.c_str(), &membership.imr_multiaddr) == 0) return false;
  membership.imr_interface = AddressOf(endpoints_.multicastInterface);
  return ::setsockopt(multicast_, IPPROTO_IP, option, &membership, sizeof membership) == 0;
}

bool CUdpConsoleTransport::SendTo(int socket, const std::string& address, std::span<const std::uint8_t> datagram) {
  if (socket < 0) return false;
  sockaddr_in to{};
  to.sin_family = AF_INET;
  to.sin_port = htons(static_cast<std::uint16_t>(endpoints_.basePort + 2));
  if (inet_aton(address.c_str(), &to.sin_addr) == 0) return false;
  return ::sendto(socket, datagram.data(), datagram.size(), 0, reinterpret_cast<sockaddr*>(&to), sizeof to) ==
         static_cast<ssize_t>(datagram.size());
}

bool CUdpConsoleTransport::SendBroadcast(std::span<const std::uint8_t> datagram) {
  return SendTo(broadcast_, endpoints_.broadcastAddress, datagram);
}

bool CUdpConsoleTransport::SendMulticast(std::span<const std::uint8_t> datagram) {
  return SendTo(multicast_, endpoints_.multicastGroup, datagram);
}

void CUdpConsoleTransport::RejoinMulticastGroup() {
  if (multicast_ < 0) return;
  ChangeMembership(IP_DROP_MEMBERSHIP);
  std::this_thread::sleep_for(std::chrono::milliseconds(200));
  ChangeMembership(IP_ADD_MEMBERSHIP);
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
}

std::optional<ReceivedDatagram> CUdpConsoleTransport::Receive(int socket) {
  if (socket < 0) return std::nullopt;
  ReceivedDatagram datagram;
  datagram.bytes.resize(kMaxDatagram);
  sockaddr_in from{};
  socklen_t fromLength = sizeof from;
  const ssize_t n = ::recvfrom(socket, datagram.bytes.data(), datagram.bytes.size(), MSG_DONTWAIT,
                               reinterpret_cast<sockaddr*>(&from), &fromLength);
  if (n < 0) return std::nullopt;
  datagram.bytes.resize(static_cast<std::size_t>(n));
  datagram.source = ntohl(from.sin_addr.s_addr);
  return datagram;
}

}  // namespace quillon
