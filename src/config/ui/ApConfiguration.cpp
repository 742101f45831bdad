#include "config/ui/ApConfiguration.h"

#include "config/ApConfigReader.h"
#include "config/ApConfigSheetModel.h"
#include "config/ui/ApConfigSheet.h"
#include "db/AccessDatabase.h"
#include "db/ApInfoRecord.h"
#include "groups/GroupStore.h"
#include "loadbalance/LoadBalanceManager_DB.h"
#include "platform/MessageIds.h"
#include "platform/Window.h"

namespace {

// Whether the AP answers, at the address shown or at the one it had when that differs.
bool IsReachable(const std::string& ip, const std::optional<std::string>& storedIp) {
  for (const std::string& address : {ip, storedIp.value_or(ip)}) {
    ApInfoRecord ap;
    ap.ip = address;
    GetLoadBalanceManager()->GetApLoadBalanceState(ap);
    if (ap.online == "1") return true;
  }
  return false;
}

// Fills the sheet from the loaded record, shows it and hands its change list on.
int RunSheet(wxWindow* parent, CApConfigSheetModel& model, const std::string& mac, ApSheetMode mode, bool replacement,
             const ApSetJobStarter& startJob) {
  const std::string ip = model.record.ip;
  model.context.reachable = IsReachable(ip, model.context.storedIp);
  std::string apMac;
  GetGroupStore()->GetDevMacByIp(ip, apMac);
  model.context.loadBalanced = CAccessDatabase().GetApLoadBalanceStatus(apMac) == 1;
  model.wireless.channelCount = ReadApChannelCount(ip);
  model.Fill(mode);
  // The AP's own count, when it answers, comes before the stored one.
  if (const std::string clients = ReadApClientCount(ip); !clients.empty()) model.basic.clientsText = clients;
  CApConfigSheet sheet(parent, model);
  if (sheet.ShowModal() != wxID_OK) return 0;
  if (replacement) platform::PostMessage(platform::GetMainWindow(), msg::WM_NMS_POLLING_LOCK);
  if (startJob) startJob({ip, mac, sheet.Changes(), replacement, model.context.storedIp.has_value()}, model.title);
  return 1;
}

}  // namespace

int ShowApConfiguration(wxWindow* parent, const std::string& ip, const std::string& mac, const std::string& caption,
                        const ApSetJobStarter& startJob) {
  CApConfigSheetModel model;
  model.LoadCurrent(ip, mac, caption);
  return RunSheet(parent, model, mac, ApSheetMode::kCurrent, false, startJob);
}

int ShowApPreviousConfiguration(wxWindow* parent, const std::string&, const std::string& mac,
                                const std::string& caption, const ApSetJobStarter& startJob) {
  CApConfigSheetModel model;
  if (!model.LoadPrevious(mac, caption)) return 0;
  return RunSheet(parent, model, mac, ApSheetMode::kPrevious, false, startJob);
}

int ReplaceApConfiguration(wxWindow* parent, const std::string& newIp, const std::string& newMac,
                           const std::string& replacedMac, const ApSetJobStarter& startJob) {
  CApConfigSheetModel model;
  if (!model.LoadReplacement(newIp, newMac, replacedMac)) return 0;
  return RunSheet(parent, model, newMac, ApSheetMode::kReplacement, true, startJob);
}

int OpenApConfiguration(wxWindow* parent, const std::string& ip, const std::string& mac, ApSheetMode mode,
                        const std::string& caption, const ApSetJobStarter& startJob, const std::string& replacedMac) {
  switch (mode) {
    case ApSheetMode::kPrevious: return ShowApPreviousConfiguration(parent, ip, mac, caption, startJob);
    case ApSheetMode::kReplacement: return ReplaceApConfiguration(parent, ip, mac, replacedMac, startJob);
    default: return ShowApConfiguration(parent, ip, mac, caption, startJob);
  }
}
