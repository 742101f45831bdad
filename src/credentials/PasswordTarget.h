#pragma once
// One managed device whose password a pass changes.
#include <string>

struct PasswordTarget {
  static constexpr int kSwitch = 1;
  static constexpr int kAp = 2;

  int kind = -1;  // the device table's type: 1 switch, 2 AP, -1 when NULL; any other kind is skipped
  std::string name;
  std::string ip;
  std::string mac;
};
