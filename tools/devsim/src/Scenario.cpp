#include "Scenario.h"

#include <arpa/inet.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace devsim {

std::vector<DeviceSpec> Scenario::ParseFile(const std::string& path) {
  std::ifstream in(path);
  if (!in) throw ScenarioError(path + ": cannot open");
  const auto baseDir = std::filesystem::path(path).parent_path();
  std::vector<DeviceSpec> devices;
  std::string line;
  for (int number = 1; std::getline(in, line); ++number) {
    std::istringstream words(line);
    DeviceSpec entry;
    if (!(words >> entry.address) || entry.address.front() == '#') continue;
    std::string extra;
    if (!(words >> entry.dataFile) || (words >> extra && extra.front() != '#'))
      throw ScenarioError(path + ":" + std::to_string(number) + ": expected ADDRESS DATAFILE");
    try {
      RequireLoopback(entry.address);
    } catch (const ScenarioError& error) {
      throw ScenarioError(path + ":" + std::to_string(number) + ": " + error.what());
    }
    if (std::filesystem::path(entry.dataFile).is_relative()) entry.dataFile = (baseDir / entry.dataFile).string();
    devices.push_back(entry);
  }
  return devices;
}

DeviceSpec Scenario::ParseDeviceArgument(const std::string& text) {
  const auto equals = text.find('=');
  if (equals == std::string::npos || equals == 0 || equals + 1 == text.size())
    throw ScenarioError("expected ADDRESS=DATAFILE, got \"" + text + "\"");
  DeviceSpec entry{text.substr(0, equals), text.substr(equals + 1)};
  RequireLoopback(entry.address);
  return entry;
}

void Scenario::RequireLoopback(const std::string& address) {
  in_addr parsed{};
  if (inet_pton(AF_INET, address.c_str(), &parsed) != 1 || (ntohl(parsed.s_addr) >> 24) != 127)
    throw ScenarioError("\"" + address + "\" is not a loopback address: devices live on 127.0.0.0/8 only");
}

}  // namespace devsim
