#include "credentials/DevicePasswordSet.h"

#include "snmp/y_snmp.h"

namespace {

constexpr char kApPassword[] = ".1.4.0";
constexpr char kApCommit[] = ".1.1.0";
constexpr char kSwitchPassword[] = ".1.1.1.2.2";
constexpr int kSyntaxInteger = 2;

CYSnmp Conversation(const std::string& ip, const std::string& community) {
  CYSnmp snmp;
  snmp.SetIp(ip);
  snmp.SetWriteCommunity(community);
  return snmp;
}

}  // namespace

bool CDevicePasswordSet::SetApPassword(const std::string& ip, const std::string& root, const std::string& community,
                                       const std::string& newPassword) {
  CYSnmp snmp = Conversation(ip, community);
  if (snmp.Set(root + kApPassword, newPassword) != 0) return false;
  snmp.SetTyped(kSyntaxInteger, root + kApCommit, "1");
  return true;
}

bool CDevicePasswordSet::SetSwitchPassword(const std::string& ip, const std::string& root,
                                           const std::string& community, const std::string& newPassword) {
  return Conversation(ip, community).Set(root + kSwitchPassword, newPassword) == 0;
}
