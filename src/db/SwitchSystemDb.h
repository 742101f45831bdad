#pragma once
// What the switch configuration's System page reads and stores: the device row's address and name and
// the switch_property row's location, subnet mask, gateway, IP mode and LLDP state.
#include <string>

#include "db/DbAccessBase.h"
#include "db/SwitchSettingsRecord.h"

class CSwitchSystemDb : public CDbAccessBase {
 public:
  // Which parts of a record a store writes.
  enum StoreParts : int { kDeviceRow = 1, kPropertyRow = 2 };

  // Fills ip, name, location, netmask, gateway, ipMode and lldp (the managed row first, then the found
  // one); a switch without a property row keeps those fields empty. -1 when neither device table has
  // the MAC, else 0.
  int LoadSwitchProperty(const std::string& mac, SwitchSettingsRecord& record);
  // kDeviceRow writes ip and name into the device's row; kPropertyRow writes the property row (added
  // when missing) with the record's name, location, netmask, gateway and IP mode; LLDPonoff is left
  // alone. Each part is one transaction. -1 when the device has no row (nothing stored), -2 when a
  // statement failed, else 0.
  int SetSwitchProperty(const std::string& mac, const SwitchSettingsRecord& record, int parts);
};
