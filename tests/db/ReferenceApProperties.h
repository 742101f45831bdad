#pragma once
// The properties the reference APs A1, A2, A3 report, as the poller stores them: one item per polled
// property of the seed, plus "mac" and "autoAssignChannel".
#include <map>
#include <string>
#include <vector>

#include "db/PolledProperty.h"
#include "db/pollingdb.h"
#include "support/ReferenceNetworkRows.h"

namespace testing_support::reference_network {

inline const std::string kApRoot = ".1.3.6.1.4.1.44711.1";

// ap is 1, 2 or 3.
inline std::vector<PolledProperty> ApItems(int ap) {
  const std::string n = std::to_string(ap);
  const char* channel[] = {"1", "6", "11"};
  const char* clients[] = {"2", "1", "0"};
  const char* autoChannel[] = {"1", "4", "9"};
  std::map<std::string, std::string> values = {{"enterpriseAPSysCfgID", "1"},
                                               {"enterpriseAPSysFWVersion", "2.0.1"},
                                               {"enterpriseAPSysHWid", "QR7V-TOLNA           -00"},
                                               {"enterpriseAPSysFlashCFGChecksum", "40961"},
                                               {"enterpriseAPSysTFTPServer", "0"},
                                               {"enterpriseAPSysSNMPTrapIP", "127.0.0.1"},
                                               {"APSysDHCP", "1"},
                                               {"APSysDefaultGateway", "127.0.0.1"},
                                               {"APSysSubnetMask", "255.0.0.0"},
                                               {"APSysCountryCode", "840"},
                                               {"staNumber", clients[ap - 1]},
                                               {"filterType", ap == 1 ? "1" : "0"},
                                               {"crvAPName", "ap-" + n},
                                               {"location", "lab"},
                                               {"crvAPChannel", channel[ap - 1]},
                                               {"crvapautochannel", "0"},
                                               {"crvAPssid", "corvath"},
                                               {"crvAPSuperG", "0"},
                                               {"crvAPSecurityType", "1"},
                                               {"crvAPSecurityCipherType", "0"},
                                               {"crvAPWPAPassPhrase", ""},
                                               {"radiusIP1", "0.0.0.0"},
                                               {"radiusPort1", "1812"},
                                               {"radiusSharedSecret1", ""},
                                               {"radiusIP2", "0.0.0.0"},
                                               {"radiusPort2", "1812"},
                                               {"radiusSharedSecret2", ""},
                                               {"crvAPTxRates", "0"},
                                               {"crvAPAntennaTransmitPower", "0"},
                                               {"crvAPCTSMode", "0"},
                                               {"crvAPRTSThreshold", "2346"},
                                               {"crvAPBeaconInterval", "100"},
                                               {"crvAPFragmentationThreshold", "2346"},
                                               {"crvAPDTIMinterval", "1"},
                                               {"crvAPSSIDBroadcast", "0"},
                                               {"crvAPPreambleType", "0"},
                                               {"crvAPUserNumLimit", "60"},
                                               {"crvAPWaterLevelBalancing", "0"},
                                               {"crvAPWMMFunc", "1"},
                                               {"crvAPWirelessRadio", "1"},
                                               {"crvAPBGMode", "0"},
                                               {"WLAN_Partition", "1"}};
  for (const char* bits : {"64", "128", "152"}) {
    values[std::string("crvAPWEP") + bits + "KeyType"] = "0";
    values[std::string("crvAPWEP") + bits + "DefaultKeyValue"] = "0";
    for (int key = 1; key <= 4; ++key)
      values["crvAPWEP" + std::string(bits) + "Key" + std::to_string(key) + "Value"] = "";
  }
  std::vector<PolledProperty> items;
  CPollingDb().GetPollingData(items, kApRoot);
  for (PolledProperty& item : items) item.value = values.at(item.name);
  const std::string& mac = ap == 1 ? kAp1 : ap == 2 ? kAp2 : kAp3;
  items.push_back({"", "mac", mac});
  items.push_back({"", "autoAssignChannel", autoChannel[ap - 1]});
  return items;
}

}  // namespace testing_support::reference_network
