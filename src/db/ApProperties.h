#pragma once
// The stored configuration of one access point: its ap_property row, field by field. Every field bears
// the name of the column that fills it, except ip (from the device tables), mac (the key) and name
// (crvAPName). Numeric codes stay as the table holds them; a flag holds 1 or 0.
#include <cstdint>
#include <string>

class CApProperties {
 public:
  CApProperties() = default;
  CApProperties(const CApProperties&) = default;
  CApProperties& operator=(const CApProperties&) = default;
  virtual ~CApProperties() = default;

  std::string ip;
  std::string mac;
  std::string enterpriseAPSysHWid;
  std::string enterpriseAPSysFWVersion;
  int32_t enterpriseAPSysTFTPServer = 0;  // flag
  std::string enterpriseAPSysSNMPTrapIP;
  int32_t filterType = 0;
  std::string name;
  int32_t APSysDHCP = 0;
  std::string APSysSubnetMask;
  int32_t crvAPRTSThreshold = 0;
  int32_t crvAPBeaconInterval = 0;
  int32_t crvAPFragmentationThreshold = 0;
  int32_t crvAPDTIMinterval = 0;
  int32_t crvAPSSIDBroadcast = 0;  // flag
  int32_t crvAPPreambleType = 0;
  int32_t crvAPUserNumLimit = 0;
  int32_t crvAPChannel = 0;
  int32_t crvAPWMMFunc = 0;        // flag
  int32_t crvAPWirelessRadio = 0;  // flag
  int32_t crvAPBGMode = 0;
  std::string crvAPssid;
  int32_t crvAPSuperG = 0;
  int32_t crvAPSecurityType = 0;
  int32_t crvAPSecurityCipherType = 0;
  std::string crvAPWPAPassPhrase;
  int32_t crvAPWEP64KeyType = 0;
  int32_t crvAPWEP64DefaultKeyValue = 0;
  std::string crvAPWEP64Key1Value;
  std::string crvAPWEP64Key2Value;
  std::string crvAPWEP64Key3Value;
  std::string crvAPWEP64Key4Value;
  int32_t crvAPWEP128KeyType = 0;
  int32_t crvAPWEP128DefaultKeyValue = 0;
  std::string crvAPWEP128Key1Value;
  std::string crvAPWEP128Key2Value;
  std::string crvAPWEP128Key3Value;
  std::string crvAPWEP128Key4Value;
  int32_t crvAPWEP152KeyType = 0;
  int32_t crvAPWEP152DefaultKeyValue = 0;
  std::string crvAPWEP152Key1Value;
  std::string crvAPWEP152Key2Value;
  std::string crvAPWEP152Key3Value;
  std::string crvAPWEP152Key4Value;
  std::string radiusIP1;
  int32_t radiusPort1 = 0;
  std::string radiusSharedSecret1;
  std::string radiusIP2;
  int32_t radiusPort2 = 0;
  std::string radiusSharedSecret2;
  int32_t crvAPTxRates = 0;
  int32_t crvAPWaterLevelBalancing = 0;
  int32_t crvapautochannel = 0;
  int32_t LoadBalanceStatus = 0;  // read only by GetApLoadBalanceStatus
  int32_t WLAN_Partition = 0;
};
