#pragma once
// What the local machine says about itself: its host name, its IPv4 addresses (offered wherever an AP
// is told its management or trap host) and the subnet mask of its first network adapter.
#include <list>
#include <string>
#include <vector>

class CHostentInformation {
 public:
  virtual ~CHostentInformation() = default;

  // Appends every IPv4 address of the local interfaces, loopback included, as dotted text in the order
  // the system lists them; returns the number of entries then in the list. An empty host name shows
  // "Please named the local PC" and returns -1; a name that cannot be read appends nothing.
  int GetLocalIpList(std::list<std::string>& list);
  // At most 128 characters; empty when it cannot be read. An empty name shows "Please Name the local PC".
  std::string GetLocalHostName();
  // The mask of the first IPv4 address of the first adapter that is not the loopback; empty when none.
  std::string GetFirstAdapterMask();
  std::string GetBlankText() { return {}; }

  // One IPv4 address of a local network adapter, with its subnet mask (empty when the system gives none).
  struct AdapterAddress {
    std::string ip;
    std::string mask;
  };
  // Appends every IPv4 address of every local adapter, loopback included, in the order the system lists
  // them: the number appended.
  int GetAdapterAddresses(std::vector<AdapterAddress>& addresses);
};
