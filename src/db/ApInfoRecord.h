#pragma once
// One access point as the group and load-balance lists carry it. The group lists fill mac, ip and name;
// the load-balance lists fill the rest from the columns of the same names.
#include <string>

class ApInfoRecord {
 public:
  std::string mac;
  std::string ip;
  std::string name;
  std::string group_balance;
  std::string ssid;
  std::string saved_ssid;  // the SSID before a load-balance change, put back when setting the AP fails
  std::string online;
  std::string isnew;
  std::string crvAPWaterLevelBalancing;
  std::string read_community;
  std::string write_community;
  std::string enterpriseAPSysSNMPTrapIP;
  std::string location;
  std::string crvAPSecurityType;
};
