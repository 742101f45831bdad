#include "DeviceLoader.h"

#include <filesystem>

namespace devsim {

std::string DeviceLoader::SideFileOf(const std::string& dataFile) {
  return std::filesystem::path(dataFile).replace_extension(".devsim").string();
}

std::unique_ptr<Device> DeviceLoader::Load(const DeviceSpec& entry, Device::Clock::time_point now) {
  ObjectMap objects = Snmprec::ParseFile(entry.dataFile);
  DeviceConfig config;
  const std::string sideFile = SideFileOf(entry.dataFile);
  if (std::filesystem::exists(sideFile)) config.ApplyFile(sideFile);
  return std::make_unique<Device>(entry.address, std::move(objects), std::move(config), now);
}

}  // namespace devsim
