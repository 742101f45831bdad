#include "net/IcmpPing.h"

#include <netdb.h>
#include <sys/select.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstring>

#include "platform/DebugTrace.h"

namespace {

constexpr size_t kReplyBufferSize = 321;
constexpr size_t kTtlOffset = 8;  // in the IPv4 header a raw socket delivers

// Identifier and sequence number of the next request; their low 16 bits go on the wire.
std::atomic<std::uint32_t> g_nextIdentifier{1};
std::atomic<std::uint32_t> g_nextSequence{1};

std::uint32_t TickCount() {
  using namespace std::chrono;
  return static_cast<std::uint32_t>(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

bool Resolve(const char* host, sockaddr_in& target) {
  addrinfo hints{};
  hints.ai_family = AF_INET;
  addrinfo* found = nullptr;
  if (!host || getaddrinfo(host, nullptr, &hints, &found) != 0 || !found) return false;
  target = *reinterpret_cast<const sockaddr_in*>(found->ai_addr);
  target.sin_port = 0;
  freeaddrinfo(found);
  return true;
}

bool IsRawSocket(int socket) {
  int type = 0;
  socklen_t length = sizeof type;
  return getsockopt(socket, SOL_SOCKET, SO_TYPE, &type, &length) == 0 && type == SOCK_RAW;
}

}  // namespace

std::uint16_t CIcmpPing::Checksum(const void* data, size_t length) {
  const auto* bytes = static_cast<const std::uint8_t*>(data);
  std::uint32_t sum = 0;
  size_t i = 0;
  for (; i + 1 < length; i += 2) sum += static_cast<std::uint32_t>(bytes[i] | (bytes[i + 1] << 8));
  if (i < length) sum += bytes[i];
  sum = (sum >> 16) + (sum & 0xFFFF);
  sum += sum >> 16;
  return static_cast<std::uint16_t>(~sum);
}

void CIcmpPing::BuildEchoRequest(std::uint8_t* packet, std::uint16_t identifier, std::uint16_t sequence,
                                 std::uint32_t tickCount) {
  std::memset(packet, 0, kEchoRequestSize);
  packet[0] = 8;  // echo request
  packet[1] = 0;
  packet[4] = static_cast<std::uint8_t>(identifier);
  packet[5] = static_cast<std::uint8_t>(identifier >> 8);
  packet[6] = static_cast<std::uint8_t>(sequence);
  packet[7] = static_cast<std::uint8_t>(sequence >> 8);
  for (int i = 0; i < 4; ++i) packet[9 + i] = static_cast<std::uint8_t>(tickCount >> (8 * i));
  for (int i = 0; i < 32; ++i) packet[13 + i] = static_cast<std::uint8_t>(32 + i);
  std::uint16_t checksum = Checksum(packet, kEchoRequestSize);
  packet[2] = static_cast<std::uint8_t>(checksum);
  packet[3] = static_cast<std::uint8_t>(checksum >> 8);
}

void CIcmpPing::ReportSocketError(const char* call) { DebugTrace("%s - socket error: %d", call, errno); }

int CIcmpPing::OpenSocket() {
  int fd = socket(AF_INET, SOCK_DGRAM, IPPROTO_ICMP);
  if (fd < 0) fd = socket(AF_INET, SOCK_RAW, IPPROTO_ICMP);
  if (fd < 0) {
    ReportSocketError("socket()");
    return -1;
  }
  int on = 1;
  if (!IsRawSocket(fd)) setsockopt(fd, IPPROTO_IP, IP_RECVTTL, &on, sizeof on);
  return fd;
}

int CIcmpPing::SendEchoRequest(int socket, const sockaddr_in& target) {
  std::uint8_t packet[kEchoRequestSize];
  BuildEchoRequest(packet, static_cast<std::uint16_t>(g_nextIdentifier.fetch_add(1)),
                   static_cast<std::uint16_t>(g_nextSequence.fetch_add(1)), TickCount());
  ssize_t sent = sendto(socket, packet, sizeof packet, 0, reinterpret_cast<const sockaddr*>(&target), sizeof target);
  if (sent < 0) {
    ReportSocketError("sendto()");
    return -1;
  }
  return static_cast<int>(sent);
}

int CIcmpPing::WaitReadable(int socket) {
  fd_set readable;
  FD_ZERO(&readable);
  FD_SET(socket, &readable);
  timeval timeout{1, 0};
  int result = select(socket + 1, &readable, nullptr, nullptr, &timeout);
  if (result < 0) ReportSocketError("select()");
  return result;
}

int CIcmpPing::ReceiveReply(int socket) {
  std::uint8_t buffer[kReplyBufferSize];
  alignas(cmsghdr) char control[CMSG_SPACE(sizeof(int))];
  iovec part{buffer, sizeof buffer};
  msghdr message{};
  message.msg_iov = &part;
  message.msg_iovlen = 1;
  message.msg_control = control;
  message.msg_controllen = sizeof control;
  ssize_t received = recvmsg(socket, &message, 0);
  if (received < 0) {
    ReportSocketError("recvfrom()");
    return -1;
  }
  if (IsRawSocket(socket)) return received > static_cast<ssize_t>(kTtlOffset) ? buffer[kTtlOffset] : -1;
  // A datagram socket delivers the ICMP message alone; the time-to-live comes as ancillary data.
  for (cmsghdr* item = CMSG_FIRSTHDR(&message); item; item = CMSG_NXTHDR(&message, item)) {
    if (item->cmsg_level == IPPROTO_IP && item->cmsg_type == IP_TTL) {
      int ttl = 0;
      std::memcpy(&ttl, CMSG_DATA(item), sizeof ttl);
      return ttl;
    }
  }
  return -1;
}

int CIcmpPing::Ping(const char* host) {
  int fd = OpenSocket();
  if (fd < 0) return -1;
  sockaddr_in target{};
  if (!Resolve(host, target)) {
    if (close(fd) != 0) ReportSocketError("closesocket()");
    return -2;
  }
  int result = -1;
  for (int attempt = 0; attempt < kAttempts; ++attempt) {
    SendEchoRequest(fd, target);
    int ready = WaitReadable(fd);
    if (ready < 0) break;
    if (ready > 0) {
      result = 0;
      break;
    }
  }
  if (close(fd) != 0) ReportSocketError("closesocket()");
  return result;
}
