#pragma once
// Device and link records for the forest, layout and generator tests.
#include <string>

#include "topology/TopologyData.h"

inline CDeviceRecord Device(const std::string& mac, int kind = 2, const std::string& ip = "") {
  CDeviceRecord device;
  device.mac = mac;
  device.ip = ip.empty() ? "10.0.0." + mac : ip;
  device.name = "dev-" + mac;
  device.kind = kind;
  return device;
}

inline CConnectionRecord Link(const std::string& from, int fromPort, const std::string& to, int toPort) {
  CConnectionRecord link;
  link.srcMac = from;
  link.srcPort = fromPort;
  link.destMac = to;
  link.destPort = toPort;
  return link;
}
