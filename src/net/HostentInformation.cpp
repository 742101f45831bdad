#include "net/HostentInformation.h"

#include <arpa/inet.h>
#include <ifaddrs.h>
#include <net/if.h>
#include <netinet/in.h>
#include <unistd.h>

#include <memory>

#include "platform/MessageBox.h"

namespace {

constexpr size_t kHostNameLength = 128;

// The host name, or none when the system cannot give it.
bool ReadHostName(std::string& name) {
  char buffer[kHostNameLength + 1] = {};
  if (gethostname(buffer, kHostNameLength) != 0) return false;
  name = buffer;
  return true;
}

struct IfAddrsDeleter {
  void operator()(ifaddrs* list) const { freeifaddrs(list); }
};
using IfAddrsList = std::unique_ptr<ifaddrs, IfAddrsDeleter>;

IfAddrsList ReadInterfaces() {
  ifaddrs* list = nullptr;
  if (getifaddrs(&list) != 0) return nullptr;
  return IfAddrsList(list);
}

bool IsIpv4(const ifaddrs* entry) { return entry->ifa_addr && entry->ifa_addr->sa_family == AF_INET; }

std::string DottedText(const sockaddr* address) {
  char text[INET_ADDRSTRLEN] = {};
  inet_ntop(AF_INET, &reinterpret_cast<const sockaddr_in*>(address)->sin_addr, text, sizeof text);
  return text;
}

}  // namespace

int CHostentInformation::GetLocalIpList(std::list<std::string>& list) {
  std::string name;
  if (!ReadHostName(name)) return static_cast<int>(list.size());
  if (name.empty()) {
    platform::MessageBox("Please named the local PC");
    return -1;
  }
  IfAddrsList interfaces = ReadInterfaces();
  for (const ifaddrs* entry = interfaces.get(); entry; entry = entry->ifa_next) {
    if (IsIpv4(entry)) list.push_back(DottedText(entry->ifa_addr));
  }
  return static_cast<int>(list.size());
}

std::string CHostentInformation::GetLocalHostName() {
  std::string name;
  if (!ReadHostName(name)) return {};
  if (name.empty()) platform::MessageBox("Please Name the local PC");
  return name;
}

std::string CHostentInformation::GetFirstAdapterMask() {
  IfAddrsList interfaces = ReadInterfaces();
  for (const ifaddrs* entry = interfaces.get(); entry; entry = entry->ifa_next) {
    if (IsIpv4(entry) && !(entry->ifa_flags & IFF_LOOPBACK) && entry->ifa_netmask)
      return DottedText(entry->ifa_netmask);
  }
  return {};
}

int CHostentInformation::GetAdapterAddresses(std::vector<AdapterAddress>& addresses) {
  int appended = 0;
  IfAddrsList interfaces = ReadInterfaces();
  for (const ifaddrs* entry = interfaces.get(); entry; entry = entry->ifa_next) {
    if (!IsIpv4(entry)) continue;
    addresses.push_back({DottedText(entry->ifa_addr), entry->ifa_netmask ? DottedText(entry->ifa_netmask) : ""});
    ++appended;
  }
  return appended;
}
