#pragma once
// One entry of a group template's MAC filter: a row of user_def_group_mac_control.
#include <string>

class MacControlEntry {
 public:
  std::string mac_address;
  std::string alias_name;
  int filter_type = -1;

  bool operator==(const MacControlEntry&) const = default;
};
