#pragma once
// A load-balance service that keeps its groups and memberships in memory, records the calls made to it
// and fails the operations a test names.
#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "lbmodel/LoadBalanceService.h"

class FakeLoadBalanceService : public ILoadBalanceService {
 public:
  std::vector<LoadBalanceGroupRecord> stored;  // what LoadGroups gives
  std::vector<ApInfoRecord> apList;
  std::set<std::string> failing;        // operation names that return false
  std::set<std::string> unreachable;    // AP addresses SetLoadBalance returns as failed
  std::set<std::string> unremovable;    // MACs RemoveApsFromGroup refuses
  std::vector<std::string> calls;       // "Operation:detail"
  std::vector<std::vector<ApInfoRecord>> saved;  // the lists SaveApLoadBalanceProperties stored

  bool LoadGroups(std::vector<LoadBalanceGroupRecord>& groups) override {
    calls.push_back("LoadGroups");
    if (failing.count("LoadGroups")) return false;
    groups.insert(groups.end(), stored.begin(), stored.end());
    return true;
  }
  int GetLoadBalanceApList(std::vector<ApInfoRecord>& aps) override {
    aps.insert(aps.end(), apList.begin(), apList.end());
    return static_cast<int>(aps.size());
  }
  bool SetLoadBalance(std::vector<ApInfoRecord>& aps, std::vector<ApInfoRecord>& failed, int balancing,
                      bool withSsid) override {
    calls.push_back("SetLoadBalance:" + Ips(aps) + ":" + std::to_string(balancing) + (withSsid ? ":ssid" : ""));
    if (failing.count("SetLoadBalance")) return false;
    for (ApInfoRecord& ap : aps) {
      if (unreachable.count(ap.ip))
        failed.push_back(ap);
      else if (balancing == 0 || balancing == 1)
        ap.crvAPWaterLevelBalancing = std::to_string(balancing);
    }
    return true;
  }
  bool SaveApLoadBalanceProperties(const std::vector<ApInfoRecord>& aps, std::vector<ApInfoRecord>&,
                                   bool storeSsid) override {
    calls.push_back("Save:" + Ips(aps) + (storeSsid ? ":ssid" : ""));
    saved.push_back(aps);
    return !failing.count("Save");
  }
  bool CreateGroup(std::vector<LoadBalanceGroupRecord>& groups) override {
    calls.push_back("CreateGroup:" + groups[0].group_name + ":" + Ips(groups[0].aps));
    if (failing.count("CreateGroup")) return false;
    groups[0].index = 7;
    return true;
  }
  bool AddApsToGroup(const std::vector<LoadBalanceGroupRecord>& groups) override {
    calls.push_back("AddApsToGroup:" + groups[0].group_name + ":" + Ips(groups[0].aps) + ":" + groups[0].type);
    return !failing.count("AddApsToGroup");
  }
  bool DeleteGroup(const std::vector<LoadBalanceGroupRecord>& groups) override {
    calls.push_back("DeleteGroup:" + groups[0].group_name);
    return !failing.count("DeleteGroup");
  }
  bool RemoveApsFromGroup(const std::string& group, const std::string& mac) override {
    calls.push_back("Remove:" + group + ":" + mac);
    return !unremovable.count(mac);
  }
  bool RenameGroup(const std::vector<LoadBalanceGroupRecord>& groups,
                   const std::vector<std::string>& formerNames) override {
    calls.push_back("Rename:" + formerNames[0] + ":" + groups[0].group_name);
    return !failing.count("RenameGroup");
  }
  bool SetGroupLoadBalance(const std::string& group, int on) override {
    calls.push_back("SetGroupLoadBalance:" + group + ":" + std::to_string(on));
    return !failing.count("SetGroupLoadBalance");
  }

  static std::string Ips(const std::vector<ApInfoRecord>& aps) {
    std::string text;
    for (const ApInfoRecord& ap : aps) text += (text.empty() ? "" : ",") + ap.ip;
    return text;
  }
};

inline ApInfoRecord MakeAp(const std::string& name, const std::string& ip, const std::string& mac,
                           const std::string& group = "", const std::string& ssid = "corvath") {
  ApInfoRecord ap;
  ap.name = name;
  ap.ip = ip;
  ap.mac = mac;
  ap.group_balance = group;
  ap.ssid = ssid;
  ap.online = "1";
  return ap;
}
