#pragma once
// The MAC address of a device on the local network, read from the system's ARP table after an ICMP
// echo has made the system learn it.
#include <istream>
#include <optional>
#include <string>

class CArpMacLookup {
 public:
  explicit CArpMacLookup(std::string arpTablePath = "/proc/net/arp") : tablePath_(std::move(arpTablePath)) {}

  // mac is emptied first. 0 found (six lower-case hexadecimal bytes separated by blanks); -1 the address
  // is "127.0.0.1"; -2 the ARP table is not available; -3 the device does not answer an echo; -4 the
  // table holds no complete row for the address.
  int GetMacByIp(const std::string& ip, std::string& mac);

  // The spaced MAC of the first complete row for ip in a table of the /proc/net/arp form.
  static std::optional<std::string> FindMacInTable(std::istream& table, const std::string& ip);

 private:
  std::string tablePath_;
};
