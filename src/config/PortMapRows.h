#pragma once
// The Port Mapping page's rows: for each link of a switch, its own port, the address of the device at
// the other end and that device's port.
#include <functional>
#include <string>
#include <vector>

#include "db/ConnectionRecord.h"

struct PortMapRow {
  std::string localPort;
  std::string peerIp;  // empty when the peer is not in the topology
  std::string peerPort;
};

// ipOfMac gives a device's address in the topology, empty when it has none.
std::vector<PortMapRow> BuildPortMapRows(const std::string& switchMac, const std::vector<CConnectionRecord>& links,
                                         const std::function<std::string(const std::string& mac)>& ipOfMac);
