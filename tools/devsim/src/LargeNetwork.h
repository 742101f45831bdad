#pragma once
// A large simulated network made from the reference devices: switches, each with APs behind its ports
// 1..M. Every device keeps its reference model's data and behaviours; what must differ between devices is
// rewritten: MAC, name, address, the switch's system key digest and its LLDP neighbour rows.
//
// Addresses: switch k (0-based) answers on 127.S.k.1, its AP j on 127.S.k.(10 + j), S the plan's second
// octet (10 unless chosen). MACs use decimal
// digits only, as the reference devices do: switch 02:44:71:KK:KK:00 and AP j 02:44:71:KK:KK:JJ, with
// KKKK the switch number and JJ = j + 1, each in decimal.
#include <stdexcept>
#include <string>
#include <vector>

#include "Scenario.h"

namespace devsim {

class LargeNetworkError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

struct LargeNetworkPlan {
  int switches = 1;      // 1..200
  int apsPerSwitch = 1;  // 0..99
  std::string referenceDir;  // the reference network's data files
  std::string outputDir;     // created when missing; files of an earlier run are replaced
  int secondOctet = 10;      // 0..255: the devices answer on 127.secondOctet.k.x
};

class LargeNetwork {
 public:
  static constexpr int kMaxSwitches = 200;
  static constexpr int kMaxApsPerSwitch = 99;

  // Writes one data file and one side file per device and "large.scenario" into the output folder;
  // returns the devices, switches first, each followed by its APs. Throws LargeNetworkError.
  static std::vector<DeviceSpec> Generate(const LargeNetworkPlan& plan);

  static std::string SwitchAddress(int k, int secondOctet = 10);
  static std::string ApAddress(int k, int j, int secondOctet = 10);
  // Twelve hex digits without separators; j = -1 for the switch itself.
  static std::string MacHex(int k, int j);
};

}  // namespace devsim
