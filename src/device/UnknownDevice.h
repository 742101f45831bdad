#pragma once
// A device that answers SNMP but is neither a switch nor an AP of the supported models.
#include "device/Device.h"

class CUnknownDevice : public CDevice {
 public:
  CUnknownDevice() { type = kDeviceUnknown; }

  // The name "UNKNOWN_%d", no ports; status 1 when the address is link-local. Returns 0. Sends nothing.
  int Identify() override;
};
