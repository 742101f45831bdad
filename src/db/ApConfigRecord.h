#pragma once
// One AP's configuration as the database keeps it: the ap_property row, its address and name from the
// device tables and its MAC filter. Numbers hold -1 and texts "" for "no value"; the field names are the
// ap_property column names where a field mirrors one.
#include <string>
#include <vector>

#include "db/MacControlEntry.h"

class ApConfigRecord {
 public:
  bool APSysDHCP = true;
  std::string ip;
  std::string APSysSubnetMask;
  std::string APSysDefaultGateway;
  std::string APSysCountryCode;
  std::string name;
  std::string location;
  std::string enterpriseAPSysSNMPTrapIP;
  int crvAPUserNumLimit = -1;
  int staNumber = -1;
  int crvAPBGMode = -1;
  int crvAPWirelessRadio = -1;
  std::string crvAPssid;
  int crvAPChannel = -1;
  int crvapautochannel = -1;  // 0 = channel chosen by hand
  int crvAPSuperG = -1;
  int crvAPWMMFunc = -1;
  int crvAPSSIDBroadcast = -1;
  int crvAPWaterLevelBalancing = -1;
  int crvAPSecurityType = -1;  // 2..7 WEP (64, 128, 152 bits in pairs), 8 and above the WPA family
  int crvAPWEP64KeyType = -1;
  int crvAPWEP64DefaultKeyValue = -1;
  std::string crvAPWEP64Key1Value, crvAPWEP64Key2Value, crvAPWEP64Key3Value, crvAPWEP64Key4Value;
  int crvAPWEP128KeyType = -1;
  int crvAPWEP128DefaultKeyValue = -1;
  std::string crvAPWEP128Key1Value, crvAPWEP128Key2Value, crvAPWEP128Key3Value, crvAPWEP128Key4Value;
  int crvAPWEP152KeyType = -1;
  int crvAPWEP152DefaultKeyValue = -1;
  std::string crvAPWEP152Key1Value, crvAPWEP152Key2Value, crvAPWEP152Key3Value, crvAPWEP152Key4Value;
  int crvAPSecurityCipherType = -1;
  std::string crvAPWPAPassPhrase;
  std::string radiusIP1;
  int radiusPort1 = -1;
  std::string radiusSharedSecret1;
  std::string radiusIP2;
  int radiusPort2 = -1;
  std::string radiusSharedSecret2;
  int crvAPTxRates = -1;  // as the device codes it: 0, 2, 4, 11, 12, 18, 22, 24, 36, 48, 72, 96, 108
  int crvAPAntennaTransmitPower = -1;
  int crvAPBeaconInterval = -1;
  int crvAPRTSThreshold = -1;
  int crvAPFragmentationThreshold = -1;
  int crvAPDTIMinterval = -1;
  int crvAPPreambleType = -1;
  int crvAPCTSMode = -1;
  int WLAN_Partition = -1;
  int filterType = 1;
  std::vector<MacControlEntry> filterMacs;  // only mac_address is filled
  int LoadBalanceStatus = -1;               // 1 = on
  // What the device's filter list needs to reach this configuration, MACs without separators.
  std::vector<std::string> filterMacsToAdd;
  std::vector<std::string> filterMacsToDelete;
};
