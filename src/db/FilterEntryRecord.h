#pragma once
// One MAC-filter entry of an AP.
#include <string>

struct FilterEntryRecord {
  std::string mac;
  std::string filterMAC;
};
