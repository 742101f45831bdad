#pragma once
// An AP's water-level balancing setting and its user limit, as the AP reports them or as ap_property
// stores them.
#include <string>

struct ApBalancingRecord {
  std::string waterLevelBalancing;  // crvAPWaterLevelBalancing, "1" on
  std::string userNumLimit;         // crvAPUserNumLimit
};
