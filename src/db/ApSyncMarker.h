#pragma once
// One difference the poller found between an AP's stored configuration and the device.
#include <string>

class ApSyncMarker {
 public:
  std::string property;
  std::string previous;  // the stored value
  std::string current;   // the value on the device
};
