#pragma once
// The load-balance manager: the data access of load balancing (CLoadBalanceDb) with the poll-round
// number it carries through a run, the local host's addresses and the report range. The process-wide
// instance (GetLoadBalanceManager) is the one every caller uses.
#include <string>

#include "db/LoadBalanceDb.h"
#include "device/HostentInformation.h"
#include "platform/Clock.h"

class LoadBalanceManager_DB : public CLoadBalanceDb {
 public:
  // Starts the poll-round number where the last run left it (StartIndexPolling).
  LoadBalanceManager_DB();
  // Saves the number for the next run.
  ~LoadBalanceManager_DB() override;
  LoadBalanceManager_DB(const LoadBalanceManager_DB&) = delete;
  LoadBalanceManager_DB& operator=(const LoadBalanceManager_DB&) = delete;

  // True when the text is one of this machine's IPv4 addresses, read afresh each time.
  bool IsLocalAddress(const std::string& address);

  CHostentInformation host_info;
  // The report range: minute stamps of its ends and the moments themselves; only the report export
  // writes them and only the report chart reads them.
  int report_start_minutes = 0;
  int report_end_minutes = 0;
  platform::TimePoint report_start{};
  platform::TimePoint report_end{};
};

// The process-wide manager, created on first use from any thread; the shut-down deletes it.
LoadBalanceManager_DB* GetLoadBalanceManager();
