#include "DeviceLoader.h"

#include <filesystem>

namespace devsim {

std::string DeviceLoader::SideFileOf(const std::string& dataFile) {
  return std::filesystem::path(dataFile).replace_extension(".devsim").string();
}

std::unique_ptr<Device> DeviceLoader::Load(const DeviceSpec& entry, Device::Clock::time_point now) {
  return Build(entry, Snmprec::ParseFile(entry.dataFile), now);
}

std::unique_ptr<Device> DeviceLoader::Load(const DeviceSpec& entry, Device::Clock::time_point now,
                                           std::vector<std::string>& warnings) {
  return Build(entry, Snmprec::ParseFile(entry.dataFile, warnings), now);
}

std::unique_ptr<Device> DeviceLoader::Build(const DeviceSpec& entry, ObjectMap objects, Device::Clock::time_point now) {
  DeviceConfig config;
  const std::string sideFile = SideFileOf(entry.dataFile);
  if (std::filesystem::exists(sideFile)) config.ApplyFile(sideFile);
  return std::make_unique<Device>(entry.address, std::move(objects), std::move(config), now);
}

}  // namespace devsim
