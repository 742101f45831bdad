#pragma once
// ICMP echo ("ping"): sends echo requests and waits for anything to arrive. Uses an unprivileged ICMP
// datagram socket where the system allows one, else a raw socket; Ping fails with -1 when neither opens.
#include <netinet/in.h>

#include <cstddef>
#include <cstdint>

class CIcmpPing {
 public:
  static constexpr size_t kEchoRequestSize = 45;
  static constexpr int kAttempts = 5;

  // 0 when a datagram arrived within one of the waits; -1 when no socket could be opened, a wait
  // failed or five waits passed in silence; -2 when the host does not resolve.
  int Ping(const char* host);

  // Builds and sends one request with the next identifier and sequence number; bytes sent or -1.
  int SendEchoRequest(int socket, const sockaddr_in& target);
  // Waits up to a second for the socket to become readable; the select result.
  int WaitReadable(int socket);
  // Reads one datagram and returns the time-to-live it arrived with, or -1.
  int ReceiveReply(int socket);
  // Traces the failed call's name and the system's error code.
  void ReportSocketError(const char* call);

  // The Internet checksum (RFC 1071), summed over little-endian 16-bit words. Stored back in the same
  // byte order it verifies to 0.
  static std::uint16_t Checksum(const void* data, size_t length);
  // The echo request: type 8, code 0, checksum, identifier, sequence, 0, the tick count, bytes 32..63.
  static void BuildEchoRequest(std::uint8_t* packet, std::uint16_t identifier, std::uint16_t sequence,
                               std::uint32_t tickCount);

 private:
  int OpenSocket();
};
