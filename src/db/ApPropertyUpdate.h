#pragma once
// The result of one SNMP set on an AP, as the synchroniser stores it.
#include <string>

class ApPropertyUpdate {
 public:
  enum MacFilterOperation { kNoFilterOperation = 0, kAddFilterMac = 1, kDeleteFilterMac = 2 };

  // An ap_property column, or "ap_mac_control" for a MAC filter entry, or "auto_select_channel".
  std::string column;
  std::string value;
  bool ok = false;  // the device accepted the set
  int macFilterOperation = kNoFilterOperation;  // with "ap_mac_control" only
};
