#pragma once
// One managed switch for the firmware switch list: its MAC and the texts MAC, system name, location, IP,
// subnet mask and gateway.
#include <string>
#include <vector>

struct SwitchPropertyList {
  std::string mac;
  std::vector<std::string> texts;
};
