#include "engine/PeerBalance.h"

#include <algorithm>
#include <cstdlib>
#include <optional>

#include "db/KeyKind.h"
#include "groups/GroupStore.h"
#include "loadbalance/LoadBalanceManager_DB.h"
#include "snmp/y_snmp.h"

namespace {

constexpr int kTopLevel = 5;

std::optional<int> ReadNumber(const std::string& ip, const std::string& oid) {
  CYSnmp snmp;
  snmp.SetIp(ip);
  std::string value;
  if (snmp.Get(oid, value) != 0) return std::nullopt;
  return static_cast<int>(std::strtol(value.c_str(), nullptr, 10));
}

void Write(const std::string& ip, const std::string& oid, const std::string& value) {
  CYSnmp snmp;
  snmp.SetIp(ip);
  snmp.Set(oid, value);
}

}  // namespace

PeerBalanceLookups StoredPeerBalanceLookups() {
  return {[](const std::string& apIp) {
            std::vector<ApInfoRecord> peers;
            GetLoadBalanceManager()->GetLoadBalancePeers(apIp, peers);
            std::erase_if(peers, [&](const ApInfoRecord& peer) { return peer.ip == apIp; });
            return peers;
          },
          [](const std::string& ip) { return GetGroupStore()->GetDevSysObjectID(ip, KeyKind::Ip); }};
}

void AdjustPeerBalance(const std::string& ip, const PeerBalanceLookups& lookups) {
  const std::vector<ApInfoRecord> peers = lookups.peers(ip);
  if (peers.empty()) return;
  const std::string level = lookups.sysObjectId(ip) + ".4.19.0";
  const std::optional<int> own = ReadNumber(ip, level);
  if (!own || *own == kTopLevel) return;
  int lowest = *own;
  for (const ApInfoRecord& peer : peers) {
    const std::string root = lookups.sysObjectId(peer.ip);
    if (const std::optional<int> peerLevel = ReadNumber(peer.ip, root + ".4.19.0"))
      lowest = std::min(lowest, *peerLevel);
    if (ReadNumber(peer.ip, root + ".4.18.0") == 0) Write(peer.ip, root + ".4.18.0", "1");
  }
  if (*own == lowest) Write(ip, level, std::to_string(*own + 1));
}
