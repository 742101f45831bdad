#pragma once
// What the load-balance commands ask of the load-balance manager; tests give a scripted one.
#include <string>
#include <vector>

#include "db/ApInfoRecord.h"
#include "db/LoadBalanceGroupRecord.h"

class ILoadBalanceService {
 public:
  virtual ~ILoadBalanceService() = default;
  // The groups to show; false when they could not be read.
  virtual bool LoadGroups(std::vector<LoadBalanceGroupRecord>& groups) = 0;
  virtual int GetLoadBalanceApList(std::vector<ApInfoRecord>& aps) = 0;
  virtual bool SetLoadBalance(std::vector<ApInfoRecord>& aps, std::vector<ApInfoRecord>& failed, int balancing,
                              bool withSsid) = 0;
  virtual bool SaveApLoadBalanceProperties(const std::vector<ApInfoRecord>& aps, std::vector<ApInfoRecord>& failed,
                                           bool storeSsid) = 0;
  virtual bool CreateGroup(std::vector<LoadBalanceGroupRecord>& groups) = 0;
  virtual bool AddApsToGroup(const std::vector<LoadBalanceGroupRecord>& groups) = 0;
  virtual bool DeleteGroup(const std::vector<LoadBalanceGroupRecord>& groups) = 0;
  virtual bool RemoveApsFromGroup(const std::string& group, const std::string& mac) = 0;
  virtual bool RenameGroup(const std::vector<LoadBalanceGroupRecord>& groups,
                           const std::vector<std::string>& formerNames) = 0;
  virtual bool SetGroupLoadBalance(const std::string& group, int on) = 0;
};
