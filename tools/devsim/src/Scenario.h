#pragma once
// A scenario lists the devices of one simulated network, one a line: "ADDRESS DATAFILE". Data files are
// taken relative to the scenario file; "#" starts a comment. Addresses are IPv4 loopback addresses only
// (127.0.0.0/8): the simulator never takes part in a real network.
#include <stdexcept>
#include <string>
#include <vector>

namespace devsim {

struct DeviceSpec {
  std::string address;   // IPv4 loopback address the device answers on
  std::string dataFile;  // snmprec file; its side file has the same name with extension ".devsim"
};

class ScenarioError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class Scenario {
 public:
  static std::vector<DeviceSpec> ParseFile(const std::string& path);
  // "ADDRESS=DATAFILE" as given on the command line.
  static DeviceSpec ParseDeviceArgument(const std::string& text);
  // Throws ScenarioError unless address is dotted IPv4 inside 127.0.0.0/8.
  static void RequireLoopback(const std::string& address);
};

}  // namespace devsim
