#pragma once
// Builds a device from its data file and, when there is one, its side file.
#include <memory>

#include "Device.h"
#include "Scenario.h"

namespace devsim {

class DeviceLoader {
 public:
  // Throws SnmprecError or DeviceConfigError naming the file and line.
  static std::unique_ptr<Device> Load(const DeviceSpec& entry, Device::Clock::time_point now);
  static std::string SideFileOf(const std::string& dataFile);
};

}  // namespace devsim
