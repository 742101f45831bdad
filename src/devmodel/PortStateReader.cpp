#include "devmodel/PortStateReader.h"

#include <cstdlib>

#include "snmp/y_snmp.h"

bool CSnmpPortStateReader::ReadPortStates(const std::string& ip, const std::string& community,
                                          const std::vector<int>& ports, std::vector<int>& states) {
  CYSnmp snmp;
  snmp.SetIp(ip);
  snmp.SetReadCommunity(community);
  snmp.SetWriteCommunity(community);
  std::vector<std::string> oids;
  for (int port : ports) oids.push_back("1.3.6.1.2.1.17.2.15.1.3." + std::to_string(port));
  std::vector<std::string> values;
  if (snmp.GetList(oids, values) != 0 || values.size() != ports.size()) return false;
  states.clear();
  for (const std::string& value : values) states.push_back(std::atoi(value.c_str()));
  return true;
}
