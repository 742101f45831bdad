#pragma once
// One configuration difference found on a device; the polling engine stores the list in sync_result.
#include <string>

struct CDeviceProperty {
  std::string mac;       // the device's MAC
  std::string property;  // the differing setting, e.g. "filter_entry" or "ip"
  std::string type;      // "ap_property", "ap_filter_mac", or "string" for a free record
  std::string current;   // the value now on the device
  std::string previous;  // the value stored before
};
