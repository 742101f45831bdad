#pragma once
// Builds a device from its data file and, when there is one, its side file.
#include <memory>
#include <string>
#include <vector>

#include "Device.h"
#include "Scenario.h"

namespace devsim {

class DeviceLoader {
 public:
  // Throws SnmprecError or DeviceConfigError naming the file and line.
  static std::unique_ptr<Device> Load(const DeviceSpec& entry, Device::Clock::time_point now);
  // As Load, but data-file lines that cannot be read are skipped, each with a warning in warnings
  // ("FILE:LINE: problem"). The side file is still read strictly.
  static std::unique_ptr<Device> Load(const DeviceSpec& entry, Device::Clock::time_point now,
                                      std::vector<std::string>& warnings);
  static std::string SideFileOf(const std::string& dataFile);

 private:
  static std::unique_ptr<Device> Build(const DeviceSpec& entry, ObjectMap objects, Device::Clock::time_point now);
};

}  // namespace devsim
