// LoadBalanceManager_DB: the management host of an AP (where it sends its traps) and the database file.
#include "loadbalance/ApConversation.h"
#include "loadbalance/LoadBalanceManager_DB.h"

namespace {

constexpr char kManagementHost[] = ".1.9.0";

std::string HostFailure(const std::string& ip) { return "Set the management host of the AP : " + ip + " failed"; }

std::string HostSet(const std::string& host, const std::string& ip) {
  return "Set the management host(" + host + ") of the AP : " + ip + " Succeeded";
}

}  // namespace

void LoadBalanceManager_DB::SetHostChooser(HostChooser chooser) {
  std::lock_guard lock(chooserLock_);
  hostChooser_ = std::move(chooser);
}

std::optional<std::string> LoadBalanceManager_DB::ChooseHost(const std::string& oldHost, const ApInfoRecord& ap,
                                                             const std::list<std::string>& addresses) {
  HostChooser chooser;
  {
    std::lock_guard lock(chooserLock_);
    chooser = hostChooser_;
  }
  if (!chooser) return std::nullopt;
  return chooser(oldHost, ap.ip, addresses);
}

LoadBalanceManager_DB::ManagementHostResult LoadBalanceManager_DB::SetManagementHost(
    ApInfoRecord& ap, const std::list<std::string>& addresses) {
  if (ap.ip.empty()) return kHostFailed;
  ApConversation conversation(ap.ip, ap.write_community);
  std::string current;
  if (conversation.Get(kManagementHost, current) != 0) {
    ReportFailure(HostFailure(ap.ip));
    return kHostFailed;
  }
  const std::string stored = ap.enterpriseAPSysSNMPTrapIP;
  if (IsLocalAddress(stored) && stored != current && conversation.Set(kManagementHost, stored) == 0) {
    LogAction(HostSet(stored, ap.ip));
    return kHostLocal;
  }
  if (IsLocalAddress(current)) {
    ap.enterpriseAPSysSNMPTrapIP = current;
    return kHostLocal;
  }
  const std::optional<std::string> chosen = ChooseHost(current, ap, addresses);
  if (!chosen) return kHostCancelled;
  if (*chosen != current) {
    if (conversation.Set(kManagementHost, *chosen) != 0) {
      ReportFailure(HostFailure(ap.ip));
      return kHostFailed;
    }
    LogAction(HostSet(*chosen, ap.ip));
  }
  ap.enterpriseAPSysSNMPTrapIP = *chosen;
  return kHostChosen;
}

int LoadBalanceManager_DB::GetLocalIpList(std::list<std::string>& list) { return host_info.GetLocalIpList(list); }

bool LoadBalanceManager_DB::BackupDatabase(std::string& folder) {
  return !folder.empty() && CDbAccessBase::BackupDatabase(folder);
}

bool LoadBalanceManager_DB::RestoreDatabase(const std::string& file) {
  return !file.empty() && CDbAccessBase::RestoreDatabase(file);
}

bool LoadBalanceManager_DB::WriteManagementHost(ApInfoRecord& ap, const std::string& host) {
  if (ap.ip.empty()) return true;
  if (ApConversation(ap.ip, ap.write_community).Set(kManagementHost, host) != 0) {
    ReportFailure(HostFailure(ap.ip));
    return false;
  }
  ap.enterpriseAPSysSNMPTrapIP = host;
  LogAction("Set the management host of the AP : " + ap.ip + " succeed");
  return true;
}
