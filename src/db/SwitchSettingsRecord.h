#pragma once
// The switch settings the device tree and the map hand to the switch configuration, and what its System
// page shows and stores; built empty.
#include <string>

struct SwitchSettingsRecord {
  std::string ip;
  std::string mac;
  std::string sysName;
  std::string location;
  std::string antiRogue;
  std::string writeCommunity;
  std::string sysObjectId;
  std::string lldp;  // "1" on, "2" off
  std::string netmask;
  std::string gateway;
  std::string ipMode;  // "1" static, "2" DHCP
};
