// LoadBalanceManager_DB: load balancing switched on the APs themselves.
#include <algorithm>

#include "loadbalance/ApConversation.h"
#include "loadbalance/LoadBalanceManager_DB.h"

namespace {

constexpr char kBalancingSwitch[] = ".4.18.0";
constexpr char kSsid[] = ".4.3.0";

// The balancing text a value of the switch stands for; "" for any other value.
std::string BalancingOf(const std::string& value) { return value == "1" || value == "0" ? value : std::string(); }

const ApInfoRecord* FindByIp(const std::vector<ApInfoRecord>& aps, const std::string& ip) {
  const auto ap = std::find_if(aps.begin(), aps.end(), [&](const ApInfoRecord& each) { return each.ip == ip; });
  return ap == aps.end() ? nullptr : &*ap;
}

}  // namespace

void LoadBalanceManager_DB::FailLoadBalance(ApInfoRecord& ap, std::vector<ApInfoRecord>& failed) {
  ap.ssid = ap.saved_ssid;
  ReportFailure("AP node " + ap.ip + " set loadbalance failed");
  failed.push_back(ap);
}

bool LoadBalanceManager_DB::SetLoadBalance(std::vector<ApInfoRecord>& aps, std::vector<ApInfoRecord>& failed,
                                           int balancing, bool withHost) {
  if (aps.empty()) return true;
  std::list<std::string> localAddresses;
  GetLocalIpList(localAddresses);
  std::optional<ManagementHostResult> lastResult;
  // A host the user chose goes to every AP of the list that has no local one yet.
  const auto handOverHost = [&](const std::string& host) {
    for (ApInfoRecord& other : aps)
      if (!IsLocalAddress(other.enterpriseAPSysSNMPTrapIP)) other.enterpriseAPSysSNMPTrapIP = host;
  };
  for (ApInfoRecord& ap : aps) {
    if (withHost && lastResult != kHostCancelled) {
      lastResult = SetManagementHost(ap, localAddresses);
      if (*lastResult == kHostChosen) handOverHost(ap.enterpriseAPSysSNMPTrapIP);
    }
    if (withHost && lastResult == kHostFailed) {
      ap.ssid = ap.saved_ssid;
      failed.push_back(ap);
      continue;
    }
    ApConversation conversation(ap.ip, ap.write_community);
    const bool applied = conversation.Set(kBalancingSwitch, balancing == 1 ? "1" : "0") == 0 &&
                         (!withHost || conversation.Set(kSsid, ap.ssid) == 0) && conversation.Commit() == 0;
    if (!applied) {
      FailLoadBalance(ap, failed);
      continue;
    }
    LogAction("Set Loadbalnce = " + std::to_string(balancing) + "  of the AP : " + ap.ip + " succeed");
    if (withHost) LogAction("Set the AP'SSID (" + ap.ssid + ") of the AP : " + ap.ip + " succeed");
    if (balancing == 1 || balancing == 0) ap.crvAPWaterLevelBalancing = balancing == 1 ? "1" : "0";
  }
  return true;
}

int LoadBalanceManager_DB::GetApLoadBalanceState(ApInfoRecord& ap) {
  ap.crvAPWaterLevelBalancing.clear();
  std::string community;
  for (const auto& list : {&CLoadBalanceDb::GetLoadBalanceApList, &CLoadBalanceDb::GetCurrentApList}) {
    std::vector<ApInfoRecord> aps;
    (this->*list)(aps);
    if (const ApInfoRecord* listed = FindByIp(aps, ap.ip)) community = listed->write_community;
    if (!community.empty()) break;
  }
  if (community.empty()) return -1;
  std::string value;
  if (ApConversation(ap.ip, community).Get(kBalancingSwitch, value) != 0) {
    ap.online = "0";
    return 1;
  }
  ap.online = "1";
  ap.crvAPWaterLevelBalancing = BalancingOf(value);
  return 1;
}

void LoadBalanceManager_DB::GetApLoadBalanceStates(std::vector<ApInfoRecord>& aps) {
  for (ApInfoRecord& ap : aps) {
    ApConversation conversation(ap.ip);
    std::string value;
    if (conversation.Get(kBalancingSwitch, value) != 0 && conversation.Get(kBalancingSwitch, value) != 0) {
      ap.online = "0";
      continue;
    }
    if (BalancingOf(value).empty())
      ap.online = "0";
    else
      ap.crvAPWaterLevelBalancing = value;
  }
}

bool LoadBalanceManager_DB::DisableLastGroupPeer(const std::vector<std::string>& macs, std::vector<ApInfoRecord>& out) {
  for (const std::string& mac : macs) {
    std::vector<ApInfoRecord> aps;
    GetLoadBalanceApList(aps);
    const auto ap = std::find_if(aps.begin(), aps.end(), [&](const ApInfoRecord& each) { return each.mac == mac; });
    if (ap == aps.end() || ap->group_balance.empty()) continue;
    std::vector<ApInfoRecord> onlinePeers;
    for (const ApInfoRecord& peer : aps)
      if (peer.group_balance == ap->group_balance && peer.mac != mac && peer.online == "1") onlinePeers.push_back(peer);
    if (onlinePeers.size() != 1) continue;
    std::vector<ApInfoRecord> failed;
    SetLoadBalance(onlinePeers, failed, 0, false);
    if (failed.empty()) out.insert(out.begin(), onlinePeers.front());
  }
  return true;
}

bool LoadBalanceManager_DB::CheckApList(int /*flag*/, const std::vector<ApInfoRecord>& /*aps*/) const { return false; }
