#include "net/ArpMacLookup.h"

#include <arpa/inet.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "net/IcmpPing.h"

namespace {

constexpr unsigned kArpEntryComplete = 0x2;  // ATF_COM: the hardware address is known

bool SameAddress(const std::string& left, const std::string& right) {
  in_addr a{}, b{};
  return inet_pton(AF_INET, left.c_str(), &a) == 1 && inet_pton(AF_INET, right.c_str(), &b) == 1 &&
         a.s_addr == b.s_addr;
}

}  // namespace

std::optional<std::string> CArpMacLookup::FindMacInTable(std::istream& table, const std::string& ip) {
  std::string line;
  std::getline(table, line);  // column titles
  while (std::getline(table, line)) {
    std::istringstream row(line);
    std::string address, hwType, flags, hwAddress;
    if (!(row >> address >> hwType >> flags >> hwAddress)) continue;
    if (!SameAddress(address, ip) || !(std::strtoul(flags.c_str(), nullptr, 16) & kArpEntryComplete)) continue;
    unsigned bytes[6];
    if (std::sscanf(hwAddress.c_str(), "%x:%x:%x:%x:%x:%x", &bytes[0], &bytes[1], &bytes[2], &bytes[3], &bytes[4],
                    &bytes[5]) != 6)
      continue;
    char text[18];
    std::snprintf(text, sizeof text, "%02x %02x %02x %02x %02x %02x", bytes[0] & 0xFF, bytes[1] & 0xFF,
                  bytes[2] & 0xFF, bytes[3] & 0xFF, bytes[4] & 0xFF, bytes[5] & 0xFF);
    return std::string(text);
  }
  return std::nullopt;
}

int CArpMacLookup::GetMacByIp(const std::string& ip, std::string& mac) {
  mac.clear();
  if (ip == "127.0.0.1") return -1;
  if (!std::ifstream(tablePath_)) return -2;
  if (CIcmpPing().Ping(ip.c_str()) != 0) return -3;
  std::ifstream table(tablePath_);
  if (!table) return -4;
  std::optional<std::string> found = FindMacInTable(table, ip);
  if (!found) return -4;
  mac = *found;
  return 0;
}
