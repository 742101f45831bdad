#include "lbmodel/ManagerLoadBalanceService.h"

#include "db/AccessDatabase.h"
#include "lbmodel/LoadBalanceTree.h"
#include "loadbalance/LoadBalanceManager_DB.h"

bool CManagerLoadBalanceService::LoadGroups(std::vector<LoadBalanceGroupRecord>& groups) {
  if (!manager_.loadGroupList(groups)) return false;
  std::vector<std::string> stored;
  std::vector<int> indexes;
  CAccessDatabase().GetLoadBalanceGroupNames(stored, indexes);
  std::vector<std::string> missing;
  for (const std::string& name : stored)
    if (!FindGroup(groups, name)) missing.push_back(name);
  return missing.empty() || manager_.LoadGroupsByName(missing, groups);
}

int CManagerLoadBalanceService::GetLoadBalanceApList(std::vector<ApInfoRecord>& aps) {
  return manager_.GetLoadBalanceApList(aps);
}

bool CManagerLoadBalanceService::SetLoadBalance(std::vector<ApInfoRecord>& aps, std::vector<ApInfoRecord>& failed,
                                                int balancing, bool withSsid) {
  return manager_.SetLoadBalance(aps, failed, balancing, withSsid);
}

bool CManagerLoadBalanceService::SaveApLoadBalanceProperties(const std::vector<ApInfoRecord>& aps,
                                                             std::vector<ApInfoRecord>& failed, bool storeSsid) {
  return manager_.SaveApLoadBalanceProperties(aps, failed, storeSsid);
}

bool CManagerLoadBalanceService::CreateGroup(std::vector<LoadBalanceGroupRecord>& groups) {
  return manager_.CreateGroup(groups);
}

bool CManagerLoadBalanceService::AddApsToGroup(const std::vector<LoadBalanceGroupRecord>& groups) {
  return manager_.AddApsToGroup(groups);
}

bool CManagerLoadBalanceService::DeleteGroup(const std::vector<LoadBalanceGroupRecord>& groups) {
  return manager_.DeleteGroup(groups);
}

bool CManagerLoadBalanceService::RemoveApsFromGroup(const std::string& group, const std::string& mac) {
  return manager_.RemoveApsFromGroup(group, mac);
}

bool CManagerLoadBalanceService::RenameGroup(const std::vector<LoadBalanceGroupRecord>& groups,
                                             const std::vector<std::string>& formerNames) {
  return manager_.RenameGroup(groups, formerNames);
}

bool CManagerLoadBalanceService::SetGroupLoadBalance(const std::string& group, int on) {
  return manager_.SetGroupLoadBalance(group, on);
}
