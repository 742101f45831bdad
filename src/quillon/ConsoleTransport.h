#pragma once
// Where the console's datagrams go and come from: a broadcast socket on the base port and a multicast
// socket on base + 6 that is a member of the group. Requests go to the switches' port, base + 2, once as a
// broadcast and once to the group. The addresses are injectable so tests stay on loopback.
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace quillon {

struct ConsoleEndpoints {
  std::string broadcastAddress = "255.255.255.255";
  std::string multicastGroup;
  std::string multicastInterface;  // local address to join and send the group on; empty: the default route
  std::uint16_t basePort = 0;
  std::uint16_t tftpPort = 69;            // the switch's TFTP port: every packet of a firmware transfer goes here
  std::uint16_t tftpLocalPort = 64517;    // the console's side of a transfer

  // The product's endpoints, with the test and demo overrides of the environment applied.
  static ConsoleEndpoints FromSettings(const std::string& group, std::uint16_t basePort);
};

struct ReceivedDatagram {
  std::vector<std::uint8_t> bytes;
  std::uint32_t source = 0;  // host order
};

// What the console's operations need of the network; the UDP transport below is the product's, tests may
// record instead.
class IConsoleTransport {
 public:
  virtual ~IConsoleTransport() = default;
  virtual bool SendBroadcast(std::span<const std::uint8_t> datagram) = 0;
  virtual bool SendMulticast(std::span<const std::uint8_t> datagram) = 0;
  // Leaves and joins the group again, so switches that lost track of the console see it once more.
  virtual void RejoinMulticastGroup() = 0;
};

class CUdpConsoleTransport : public IConsoleTransport {
 public:
  explicit CUdpConsoleTransport(ConsoleEndpoints endpoints);
  ~CUdpConsoleTransport() override;
  CUdpConsoleTransport(const CUdpConsoleTransport&) = delete;
  CUdpConsoleTransport& operator=(const CUdpConsoleTransport&) = delete;

  // A failure is shown ("Creat Socket error", "Bind socket error", "Set socketopt error") and the console
  // goes on without the broadcast socket.
  void CreateBroadcastSocket();
  // False after its message when the socket cannot be made ready; the console then closes.
  bool CreateMulticastSocket();
  void CloseSockets();

  bool SendBroadcast(std::span<const std::uint8_t> datagram) override;
  bool SendMulticast(std::span<const std::uint8_t> datagram) override;
  void RejoinMulticastGroup() override;

  // The sockets to watch for readiness (-1 when missing).
  int BroadcastSocket() const { return broadcast_; }
  int MulticastSocket() const { return multicast_; }
  // One waiting datagram of the socket, without blocking.
  static std::optional<ReceivedDatagram> Receive(int socket);

  const ConsoleEndpoints& Endpoints() const { return endpoints_; }

 private:
  bool SendTo(int socket, const std::string& address, std::span<const std::uint8_t> datagram);
  bool ChangeMembership(int option);

  ConsoleEndpoints endpoints_;
  int broadcast_ = -1;
  int multicast_ = -1;
};

}  // namespace quillon
