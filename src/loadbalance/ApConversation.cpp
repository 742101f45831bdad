#include "loadbalance/ApConversation.h"

#include "db/KeyKind.h"
#include "groups/GroupStore.h"

namespace {
constexpr int kSnmpInteger = 2;
}

ApConversation::ApConversation(const std::string& ip) : root_(GetGroupStore()->GetDevSysObjectID(ip, KeyKind::Ip)) {
  snmp_.SetIp(ip);
}

ApConversation::ApConversation(const std::string& ip, const std::string& community) : ApConversation(ip) {
  snmp_.SetReadCommunity(community);
  snmp_.SetWriteCommunity(community);
}

int ApConversation::Get(const std::string& suffix, std::string& value) {
  return root_.empty() ? kNotAddressable : snmp_.Get(root_ + suffix, value);
}

int ApConversation::Set(const std::string& suffix, const std::string& value) {
  return root_.empty() ? kNotAddressable : snmp_.Set(root_ + suffix, value);
}

int ApConversation::Commit() {
  return root_.empty() ? kNotAddressable : snmp_.SetTyped(kSnmpInteger, root_ + ".1.3.0", "1");
}
