#pragma once
// Reads the spanning-tree state of switch ports (the bridge MIB's dot1dStpPortState: 2 blocking,
// 5 forwarding) for the device tree's redundant links. The tree asks through this interface so that its
// texts can be tested without a device.
#include <string>
#include <vector>

class IPortStateReader {
 public:
  virtual ~IPortStateReader() = default;
  // One request for every port, states in the order of ports; false when the device did not answer them
  // all (states untouched).
  virtual bool ReadPortStates(const std::string& ip, const std::string& community, const std::vector<int>& ports,
                              std::vector<int>& states) = 0;
};

// Over SNMP, with the community for reading and writing, as the device tree does it.
class CSnmpPortStateReader : public IPortStateReader {
 public:
  bool ReadPortStates(const std::string& ip, const std::string& community, const std::vector<int>& ports,
                      std::vector<int>& states) override;
};
