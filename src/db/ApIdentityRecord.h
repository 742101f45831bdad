#pragma once
// What tells whether an AP's configuration changed, as the AP reports it or as ap_property stores it.
#include <string>

struct ApIdentityRecord {
  std::string configId;         // enterpriseAPSysCfgID
  std::string firmwareVersion;  // enterpriseAPSysFWVersion
  std::string hardwareId;       // enterpriseAPSysHWid
  std::string flashChecksum;    // enterpriseAPSysFlashCFGChecksum
};
