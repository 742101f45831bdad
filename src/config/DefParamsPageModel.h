#pragma once
// The default parameters page without its window: the management host new APs report to, the SSID, the
// security settings and whether the defaults are applied when new devices are saved; loaded from the
// settings row, checked on OK and saved back.
#include <string>
#include <vector>

#include "config/ApSecurityModel.h"
#include "config/ApSheetContext.h"
#include "config/DefaultParams.h"

class CDefParamsPageModel {
 public:
  enum Control { kSsid = 1108, kManagementHost = 1329, kApply = 1371, kAutoChannel = 1123 };
  // The security combo's items: an empty one, then "Disable", "WEP", "WPA", "WPA2".
  static const std::vector<std::string>& SecurityItems();

  CDefaultParams record;
  int securityCode = -1;   // the working code
  int securityIndex = -1;  // the combo's position
  std::string ssid, managementHost;
  int autoChannel = 0;
  bool apply = false;
  CApSecurityModel security;

  // Reads the stored defaults into the fields.
  void LoadDefaults();
  // The management host's choices: the stored one first, then this computer's other addresses.
  std::vector<std::string> HostChoices(const std::vector<std::string>& localAddresses) const;
  CApSecurityModel::Kind SecurityKind() const;
  void ChooseEncryption(int index);
  void ChooseKeyType(int index);
  void ChooseDefaultKey(int index) { security.ChangeDefaultKey(index); }

  PageCheck Check();
  // Copies the fields into the record and saves it; false when the store refused.
  bool Save();

 private:
  int loadedBlock_ = -1;  // the WEP block the four keys were loaded from
};
