#pragma once
// Simulated switches for the console's own UDP protocol. All switches share one socket on the switches'
// port (any address, so broadcasts reach it, and a member of the console's multicast group); each answers
// from a socket bound to its own loopback address, so the console sees one source address per switch.
// Written independently of the console's codec, from the wire format, so that the two check each other.
#include <atomic>
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace consolesim {

enum class Mode { Normal, WrongPassword, Loader, DhcpRefreshFails, Silent };

struct SwitchConfig {
  std::string address;      // loopback address the switch answers from
  std::string mac;          // 12 hexadecimal digits
  std::string password = "admin";
  std::string productName = "Simulated switch";
  std::string systemName;
  std::string location;
  std::string mask = "255.0.0.0";
  std::string gateway = "127.0.0.1";
  std::string trapAddress = "192.168.1.100";  // a host the console accepts as trap receiver, unlike loopback
  std::uint16_t interfaceVersion = 3;
  int dhcp = 0;             // 0 off, 1 on, -1 not reported
  int groupInterval = 300;  // -1 not reported; the console accepts 0 and 120-1225
  std::uint32_t capabilityMask = 0x2003FF;
  Mode mode = Mode::Normal;
};

struct Endpoint {
  std::string address;
  std::uint16_t port = 0;
};

// A datagram a switch took as addressed to it.
struct Received {
  std::string mac;  // the switch's
  std::uint16_t command = 0;
  std::uint16_t sequence = 0;
  std::vector<std::uint8_t> bytes;
};

class SwitchSimulator {
 public:
  SwitchSimulator(std::uint32_t magic, std::uint16_t basePort, std::string group, std::string interface,
                  std::vector<SwitchConfig> switches);
  ~SwitchSimulator();
  SwitchSimulator(const SwitchSimulator&) = delete;
  SwitchSimulator& operator=(const SwitchSimulator&) = delete;

  // Binds the sockets and starts answering; throws std::runtime_error when a socket cannot be set up.
  void Start();
  void Stop();

  void SetMode(const std::string& mac, Mode mode);
  // The switch's current settings (after the sets it accepted).
  SwitchConfig Switch(const std::string& mac) const;
  std::vector<Received> ReceivedDatagrams() const;

  // Sends a trap (command 9) carrying the address, and an upgrade acknowledgement (command 11).
  void SendTrap(const std::string& mac, const Endpoint& to, const std::string& trapSource);
  void SendUpgradeAck(const std::string& mac, const Endpoint& to, std::uint16_t sequence);

 private:
  struct Peer;
  void Run();
  void Handle(const std::vector<std::uint8_t>& datagram, const Endpoint& from);
  void Reply(Peer& peer, std::uint16_t command, std::uint16_t status, std::uint16_t sequence, bool elements,
             const Endpoint& to, const std::vector<std::uint8_t>& payload = {});
  Peer* Find(const std::string& mac);

  std::uint32_t magic_;
  std::uint16_t basePort_;
  std::string group_;
  std::string interface_;
  mutable std::mutex mutex_;
  std::vector<Peer> peers_;
  std::vector<Received> received_;
  int listen_ = -1;
  int wake_[2] = {-1, -1};
  std::thread thread_;
};

// "normal", "wrong-password", "loader", "dhcp-fail", "silent".
Mode ParseMode(const std::string& text);

}  // namespace consolesim
