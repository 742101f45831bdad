#pragma once
// A managed switch. Its private objects live under its sysObjectID as read from it.
#include <vector>

#include "device/Device.h"
#include "device/LldpNeighbour.h"

// The switches' LLDP state (1 on, 2 off), at this absolute OID on every switch model.
inline constexpr const char* kLldpStateOid = "1.3.6.1.4.1.44711.10.75.3.24.6.0";

class CSwitch : public CDevice {
 public:
  CSwitch() { type = kDeviceSwitch; }

  // Base Identify; the name is sysName, or "SW_%d" when it is empty or unreadable; the port count is
  // ifNumber - 1; then the system key: 1 it matches, -2 it does not, -1 the port count cannot be read,
  // -100 when stopping (the name is left as it was).
  int Identify() override;
  // The bridge address.
  int GetMAC(std::string& macText) override;

  // ---- Details (SwitchDetails.cpp) ----
  // Rebuilds neighbours from the LLDP remote tables: 1; 0 when a column goes on past CWalkLimit (no
  // neighbours); -100 when stopping.
  int ReadLldpNeighbours();
  // Reads the switch's settings, stores them in switch_property, names the new device and writes the
  // display name back to the switch: 1; 0 when a settings request failed or they could not be stored;
  // -100 when stopping.
  int CollectDetails() override;
  // ---- end of details ----

  std::vector<LldpNeighbour> neighbours;
};
