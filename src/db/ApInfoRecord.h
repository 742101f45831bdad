#pragma once
// One AP as the group, load-balance and AP-configuration lists carry it. Every list fills the first
// three fields; the load-balance lists fill the others from the columns named beside them.
#include <string>

class ApInfoRecord {
 public:
  ApInfoRecord() = default;
  virtual ~ApInfoRecord() = default;
  ApInfoRecord(const ApInfoRecord&) = default;
  ApInfoRecord& operator=(const ApInfoRecord&) = default;

  std::string mac;
  std::string ip;
  std::string name;
  std::string group_balance;  // group_balance of the device tables, or group_name of ap_config
  std::string ssid;           // crvAPssid of ap_property, or ssid of ap_config
  std::string saved_ssid;     // the SSID kept while a load-balance setting is tried
  std::string online;
  std::string isnew;
  std::string crvAPWaterLevelBalancing;
  std::string read_community;
  std::string write_community;
  std::string enterpriseAPSysSNMPTrapIP;
  std::string spare;  // the chart image of the AP while a PDF report is written
  std::string location;
  std::string crvAPSecurityType;
};
