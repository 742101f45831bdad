#pragma once
// An access point. Its private objects live under one fixed root, whatever sysObjectID it reports.
#include <cstdint>

#include "device/Device.h"

inline constexpr const char* kApRootOid = ".1.3.6.1.4.1.44711.1";

class CAP : public CDevice {
 public:
  CAP() { type = kDeviceAP; }

  // Base Identify, then the name "AP_%d" and the port count (ifNumber): 1; -1 when the port count
  // cannot be read; -100 when stopping.
  int Identify() override;
  // ifPhysAddress of interface 1.
  int GetMAC(std::string& macText) override;

  std::uint8_t balancingOn = 0;  // 1 once "crvAPWaterLevelBalancing" was read as "1"
};
