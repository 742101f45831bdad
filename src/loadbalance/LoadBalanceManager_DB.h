#pragma once
// The load-balance manager: the data access of load balancing (CLoadBalanceDb) with the poll-round
// number it carries through a run, the local host's addresses and the report range. The process-wide
// instance (GetLoadBalanceManager) is the one every caller uses.
#include <functional>
#include <list>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "db/LoadBalanceDb.h"
#include "net/HostentInformation.h"
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

  // ---- Load balancing on the APs (LoadBalanceManager_DBAps.cpp) ----
  // An AP is addressed by its stored sysObjectID; one without it is sent nothing and counts as failed.

  // For each AP: with withHost its management host made local (SetManagementHost; a host chosen for the
  // first AP goes to every AP without a local one; after a cancel no more asking) and, unless that
  // failed, its SSID; then the balancing switch (.4.18.0: "1" for 1, else "0") and the commit. An AP
  // whose host step failed, or whose switch, SSID or commit failed ("AP node %s set loadbalance failed",
  // logged and shown), gets its saved SSID back and a copy in failed. Success logs its lines and sets the
  // record's balancing for 1 and 0. Always true.
  bool SetLoadBalance(std::vector<ApInfoRecord>& aps, std::vector<ApInfoRecord>& failed, int balancing, bool withHost);
  // Reads the AP's balancing switch with the write community of the load-balance list (else of the
  // current discovery): online "0" when it does not answer, balancing "1"/"0" or "". -1 without a
  // community (only balancing emptied), else 1.
  int GetApLoadBalanceState(ApInfoRecord& ap);

  // Operations that nothing in the program calls.
  // Reads each AP's balancing switch with the default communities, one retry; online "0" when it does
  // not answer or answers neither "1" nor "0".
  void GetApLoadBalanceStates(std::vector<ApInfoRecord>& aps);
  // For each MAC whose group keeps exactly one other AP online, switches that AP's balancing off and
  // puts it at the front of out unless that failed. True.
  bool DisableLastGroupPeer(const std::vector<std::string>& macs, std::vector<ApInfoRecord>& out);
  bool CheckApList(int flag, const std::vector<ApInfoRecord>& aps) const;

  // ---- Management host (LoadBalanceManager_DBHost.cpp) ----

  enum ManagementHostResult : int { kHostChosen = 0, kHostCancelled = 1, kHostFailed = 2, kHostLocal = 3 };
  // Asks the user for the AP's management host among the addresses: the chosen one, or none on cancel.
  using HostChooser = std::function<std::optional<std::string>(const std::string& oldHost, const std::string& apIp,
                                                               const std::list<std::string>& addresses)>;
  // The chooser the management-host step asks; without one the user is taken to cancel.
  void SetHostChooser(HostChooser chooser);
  // Makes the AP send its traps (.1.9.0) to one of the addresses: the stored trap host when local, the
  // AP's own when local, else the one the user chooses. On return the record's trap host is the AP's.
  // A failure logs and shows "Set the management host of the AP : %s failed".
  ManagementHostResult SetManagementHost(ApInfoRecord& ap, const std::list<std::string>& addresses);
  // host_info's list of this machine's IPv4 addresses: its size, or -1 without a host name.
  int GetLocalIpList(std::list<std::string>& list);
  // False for an empty path, else the database layer's backup or restore.
  bool BackupDatabase(std::string& folder);
  bool RestoreDatabase(const std::string& file);
  // Sets the AP's management host; the record takes it on success. True at once for an AP without
  // address; a failure is logged and shown.
  bool WriteManagementHost(ApInfoRecord& ap, const std::string& host);

  // ---- Peers and the stored switch (LoadBalanceManager_DBPeers.cpp) ----

  // Replaces nothing: appends the members (MAC and address) of the AP's group when its template balances
  // load, the AP itself included. True.
  bool GetLoadBalancePeers(const std::string& ip, std::vector<ApInfoRecord>& peers);
  // Whether the file is a database this program can open.
  bool CheckDatabase(const std::string& path);
  // Sends the stored balancing switch to the AP when it differs, and commits: true only when sent.
  bool PushApLoadBalanceState(const std::string& ip, const std::string& mac, const std::string& community);
  // Whether the AP (by address with isIp, else by MAC) is in a group whose template balances load.
  bool IsApInLoadBalanceTemplate(const std::string& address, bool isIp);

  CHostentInformation host_info;
  // The report range: minute stamps of its ends and the moments themselves; only the report export
  // writes them and only the report chart reads them.
  int report_start_minutes = 0;
  int report_end_minutes = 0;
  platform::TimePoint report_start{};
  platform::TimePoint report_end{};

 private:
  static void LogAction(const std::string& text);
  // A failure goes to the action log and into a message box.
  static void ReportFailure(const std::string& text);
  // The failure path of one AP in SetLoadBalance.
  void FailLoadBalance(ApInfoRecord& ap, std::vector<ApInfoRecord>& failed);
  // The AP's management host as asked of the user; none when cancelled.
  std::optional<std::string> ChooseHost(const std::string& oldHost, const ApInfoRecord& ap,
                                        const std::list<std::string>& addresses);

  std::mutex chooserLock_;
  HostChooser hostChooser_;
};

// The process-wide manager, created on first use from any thread; the shut-down deletes it.
LoadBalanceManager_DB* GetLoadBalanceManager();
