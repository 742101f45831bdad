#include "quillon/UpgradePreparation.h"

#include <arpa/inet.h>
#include <ifaddrs.h>
#include <netinet/in.h>

#include <cerrno>
#include <cstring>

#include "platform/MessageBox.h"
#include "quillon/ConsoleSession.h"

namespace quillon {

std::optional<std::vector<LocalAddress>> ReadLocalAddresses(std::string& error) {
  ifaddrs* list = nullptr;
  if (::getifaddrs(&list) != 0) {
    error = "Error " + std::to_string(errno);
    return std::nullopt;
  }
  std::vector<LocalAddress> addresses;
  for (const ifaddrs* entry = list; entry; entry = entry->ifa_next) {
    if (!entry->ifa_addr || entry->ifa_addr->sa_family != AF_INET || !entry->ifa_netmask) continue;
    const auto* address = reinterpret_cast<const sockaddr_in*>(entry->ifa_addr);
    const auto* mask = reinterpret_cast<const sockaddr_in*>(entry->ifa_netmask);
    addresses.push_back({ntohl(address->sin_addr.s_addr), ntohl(mask->sin_addr.s_addr)});
  }
  ::freeifaddrs(list);
  return addresses;
}

int PrepareUpgrade(CConsoleSession& session, int selectedDevice, const std::vector<LocalAddress>& local) {
  const ConsoleDeviceRecord& device = session.Device(selectedDevice);
  const int listed = std::min(session.List().Count(), CConsoleSession::kTableSize);
  for (int i = 0; i < listed; ++i) {
    if (i != selectedDevice && session.Device(i).ipAddress == device.ipAddress) {
      platform::MessageBox("Duplicate IP", "Error", platform::MB_ICONERROR);
      return 0;
    }
  }
  bool sameSubnet = false;
  for (const LocalAddress& row : local)
    sameSubnet = sameSubnet || (row.address & row.mask) == (device.ipAddress & row.mask);
  if (!sameSubnet) {
    platform::MessageBox("The device IP and manager IP are not in the same subnet", "Error", platform::MB_ICONERROR);
    return -1;
  }
  session.SetUpgradeMac(device.macText);
  return 1;
}

}  // namespace quillon
