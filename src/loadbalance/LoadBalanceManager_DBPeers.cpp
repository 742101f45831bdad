// LoadBalanceManager_DB: an AP's load-balance peers, its stored balancing switch pushed to it, and the
// database check before a restore.
#include "db/KeyKind.h"
#include "db/db_maintain.h"
#include "groups/GroupStore.h"
#include "loadbalance/ApConversation.h"
#include "loadbalance/LoadBalanceManager_DB.h"

bool LoadBalanceManager_DB::GetLoadBalancePeers(const std::string& ip, std::vector<ApInfoRecord>& peers) {
  std::string mac;
  GetGroupStore()->GetDevMacByIp(ip, mac);
  if (mac.empty()) return true;
  for (const std::string& peerMac : GetLoadBalanceGroupMacs(mac)) {
    ApInfoRecord& peer = peers.emplace_back();
    peer.mac = peerMac;
    peer.ip = GetGroupStore()->GetDevIpByMac(peerMac);
  }
  return true;
}

bool LoadBalanceManager_DB::CheckDatabase(const std::string& path) { return CDB_Maintain::CheckDatabaseFile(path); }

bool LoadBalanceManager_DB::PushApLoadBalanceState(const std::string& ip, const std::string& mac,
                                                   const std::string& community) {
  if (ip.empty() || mac.empty() || community.empty()) return false;
  std::string stored;
  if (!GetStoredLoadBalanceState(mac, stored) || stored.empty()) return false;
  ApConversation conversation(ip, community);
  std::string current;
  if (conversation.Get(".4.18.0", current) != 0 || current == stored) return false;
  if (conversation.Set(".4.18.0", stored) != 0) return false;
  conversation.Commit();  // the switch is set; a lost commit answer does not undo it
  return true;
}

bool LoadBalanceManager_DB::IsApInLoadBalanceTemplate(const std::string& address, bool isIp) {
  std::string mac = address;
  if (isIp) {
    mac.clear();
    GetGroupStore()->GetDevMacByIp(address, mac);
  }
  return !mac.empty() && IsMacInLoadBalanceTemplate(mac);
}
