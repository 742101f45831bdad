#pragma once
// The load-balance commands' service over the process-wide load-balance manager.
#include "lbmodel/LoadBalanceService.h"

class LoadBalanceManager_DB;

class CManagerLoadBalanceService : public ILoadBalanceService {
 public:
  explicit CManagerLoadBalanceService(LoadBalanceManager_DB& manager) : manager_(manager) {}

  // The groups of the balancing templates, then every stored load-balance group not among them, so a
  // group made here is still there after a reload.
  bool LoadGroups(std::vector<LoadBalanceGroupRecord>& groups) override;
  int GetLoadBalanceApList(std::vector<ApInfoRecord>& aps) override;
  bool SetLoadBalance(std::vector<ApInfoRecord>& aps, std::vector<ApInfoRecord>& failed, int balancing,
                      bool withSsid) override;
  bool SaveApLoadBalanceProperties(const std::vector<ApInfoRecord>& aps, std::vector<ApInfoRecord>& failed,
                                   bool storeSsid) override;
  bool CreateGroup(std::vector<LoadBalanceGroupRecord>& groups) override;
  bool AddApsToGroup(const std::vector<LoadBalanceGroupRecord>& groups) override;
  bool DeleteGroup(const std::vector<LoadBalanceGroupRecord>& groups) override;
  bool RemoveApsFromGroup(const std::string& group, const std::string& mac) override;
  bool RenameGroup(const std::vector<LoadBalanceGroupRecord>& groups,
                   const std::vector<std::string>& formerNames) override;
  bool SetGroupLoadBalance(const std::string& group, int on) override;

 private:
  LoadBalanceManager_DB& manager_;
};
