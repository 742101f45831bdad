#include "lbmodel/LoadBalanceCommands.h"

#include <algorithm>
#include <cstdio>

#include "lbmodel/ApListRows.h"
#include "platform/Clock.h"

namespace {

bool SameMac(const ApInfoRecord& a, const ApInfoRecord& b) { return a.mac == b.mac; }

// A group made here has its own load_balance_group row (its index); a group defined by a load-balance
// template of the group store has none, so there is no stored flag to change for it.
bool HasStoredRow(const LoadBalanceGroupRecord& group) { return group.index >= 0; }

bool HasMac(const std::vector<ApInfoRecord>& aps, const ApInfoRecord& ap) {
  return std::any_of(aps.begin(), aps.end(), [&](const ApInfoRecord& other) { return SameMac(other, ap); });
}

// The manager returns the APs it could not set; they are known by their address.
void TakeOutFailed(std::vector<ApInfoRecord>& aps, const std::vector<ApInfoRecord>& failed) {
  std::erase_if(aps, [&](const ApInfoRecord& ap) {
    return std::any_of(failed.begin(), failed.end(), [&](const ApInfoRecord& f) { return f.ip == ap.ip; });
  });
}

std::string Format(const char* format, const std::string& a, const std::string& b = {}) {
  char line[512];
  std::snprintf(line, sizeof line, format, a.c_str(), b.c_str());
  return line;
}

}  // namespace

CLoadBalanceCommands::CLoadBalanceCommands(ILoadBalanceService& service, ActionLog actionLog)
    : service_(service), log_(std::move(actionLog)) {}

std::vector<std::string> CLoadBalanceCommands::GroupNames() const {
  std::vector<std::string> names;
  for (const LoadBalanceGroupRecord& group : groups_) names.push_back(group.group_name);
  return names;
}

bool CLoadBalanceCommands::Refresh() {
  tree_.Clear();
  groups_.clear();
  if (!service_.LoadGroups(groups_)) {
    groups_.clear();
    return false;
  }
  tree_.Build(groups_);
  return true;
}

CLoadBalanceGroupForm CLoadBalanceCommands::PrepareAddGroup(const std::vector<ApInfoRecord>& picked) {
  CLoadBalanceGroupForm form;
  form.groupNames = GroupNames();
  service_.GetLoadBalanceApList(form.candidateAps);
  FilterApListByGroup(form.candidateAps, true);
  form.selectedAps = picked;
  FilterApListByGroup(form.selectedAps, true);
  std::erase_if(form.candidateAps, [&](const ApInfoRecord& ap) { return HasMac(form.selectedAps, ap); });
  return form;
}

std::optional<CLoadBalanceGroupForm> CLoadBalanceCommands::PrepareAddAps(const std::string& groupName) {
  const LoadBalanceGroupRecord* group = FindGroup(groups_, groupName);
  if (!group) return std::nullopt;
  CLoadBalanceGroupForm form;
  form.name = group->group_name;
  form.description = group->group_desc;
  form.groupSsid = group->type;
  if (service_.GetLoadBalanceApList(form.candidateAps) <= 0) return std::nullopt;
  FilterApListByGroup(form.candidateAps, true);
  std::erase_if(form.candidateAps, [&](const ApInfoRecord& ap) { return HasMac(group->aps, ap); });
  return form;
}

bool CLoadBalanceCommands::SsidAgreed(const CLoadBalanceGroupForm& form, const std::string& groupName) {
  if (form.ssidSet.size() < 2 || form.chooseSsid) return true;
  log_(Format("Add LoadBalance Group [%s] Failed, SSId is different", groupName));
  return false;
}

std::vector<ApInfoRecord> CLoadBalanceCommands::PickCandidates(const CLoadBalanceGroupForm& form,
                                                               const std::string& ssid) {
  std::vector<ApInfoRecord> picked;
  for (const ApInfoRecord& chosen : form.selectedAps) {
    const auto candidate = std::find_if(form.candidateAps.begin(), form.candidateAps.end(),
                                        [&](const ApInfoRecord& ap) { return SameMac(ap, chosen); });
    if (candidate == form.candidateAps.end() || HasMac(picked, *candidate)) continue;
    ApInfoRecord ap = *candidate;
    ap.ssid = ssid;
    picked.push_back(std::move(ap));
  }
  return picked;
}

bool CLoadBalanceCommands::BalanceAndStore(std::vector<ApInfoRecord>& aps, int balancing, bool withSsid) {
  std::vector<ApInfoRecord> failed;
  if (!service_.SetLoadBalance(aps, failed, balancing, withSsid)) return false;
  TakeOutFailed(aps, failed);
  failed.clear();
  return service_.SaveApLoadBalanceProperties(aps, failed, withSsid);
}

bool CLoadBalanceCommands::SwitchMembersOff(const LoadBalanceGroupRecord& group) {
  std::vector<ApInfoRecord> members = group.aps;
  std::vector<ApInfoRecord> failed;
  if (!service_.SetLoadBalance(members, failed, 0, true)) return false;
  // Every member is stored as not balancing, also one the device did not take it from.
  std::vector<ApInfoRecord> stored = group.aps;
  for (ApInfoRecord& ap : stored) ap.crvAPWaterLevelBalancing = "0";
  failed.clear();
  return service_.SaveApLoadBalanceProperties(stored, failed, false);
}

void CLoadBalanceCommands::AddMembers(LoadBalanceGroupRecord& group, const std::vector<ApInfoRecord>& aps,
                                      const std::string& balancing) {
  for (ApInfoRecord ap : aps) {
    ap.crvAPWaterLevelBalancing = balancing;
    ap.group_balance = group.group_name;
    const auto same = std::find_if(group.aps.begin(), group.aps.end(),
                                   [&](const ApInfoRecord& member) { return SameMac(member, ap); });
    if (same != group.aps.end())
      *same = std::move(ap);
    else
      group.aps.push_back(std::move(ap));
  }
}

bool CLoadBalanceCommands::AddGroup(const CLoadBalanceGroupForm& form) {
  if (!SsidAgreed(form, form.name)) return false;
  std::vector<ApInfoRecord> aps = PickCandidates(form, form.groupSsid);
  if (!BalanceAndStore(aps, 1, true)) return false;

  LoadBalanceGroupRecord group;
  group.group_name = form.name;
  group.group_desc = form.description;
  group.type = form.groupSsid;
  group.founder_name = "default";
  group.load_balance = 1;
  group.member_balance = 1;
  group.found_time = platform::NowText();
  group.aps = aps;
  std::vector<LoadBalanceGroupRecord> created{group};
  if (!service_.CreateGroup(created)) return false;
  group.index = created[0].index;
  group.aps.clear();
  AddMembers(group, aps, "1");
  tree_.Build({group});
  groups_.push_back(std::move(group));
  log_(Format("Add LoadBalance Group [%s] Succeed", form.name));
  return true;
}

bool CLoadBalanceCommands::AddAps(const std::string& groupName, const CLoadBalanceGroupForm& form) {
  LoadBalanceGroupRecord* group = FindGroup(groups_, groupName);
  if (!group || form.selectedAps.empty()) return false;
  if (!SsidAgreed(form, groupName)) return false;
  std::vector<ApInfoRecord> aps = PickCandidates(form, form.groupSsid);
  if (group->type != form.groupSsid && !form.groupSsid.empty())
    for (ApInfoRecord member : group->aps) {  // the members take the new SSID too
      member.ssid = form.groupSsid;
      aps.push_back(std::move(member));
    }
  if (!BalanceAndStore(aps, 1, true)) return false;

  LoadBalanceGroupRecord changed = *group;
  changed.type = form.groupSsid.empty() ? group->type : form.groupSsid;
  changed.group_desc = form.description;
  changed.aps = aps;
  if (!service_.AddApsToGroup({changed})) return false;
  group->type = changed.type;
  group->group_desc = changed.group_desc;
  const std::string balancing = group->member_balance ? "1" : "0";
  AddMembers(*group, aps, balancing);
  AddMembers(changed, aps, balancing);
  tree_.BuildGroup(changed, tree_.FindRoot(groupName));
  return true;
}

bool CLoadBalanceCommands::DeleteGroup(const std::string& groupName) {
  const LoadBalanceGroupRecord* group = FindGroup(groups_, groupName);
  if (!group || !SwitchMembersOff(*group)) return false;
  if (!service_.DeleteGroup({*group})) return false;
  tree_.RemoveRoot(tree_.FindRoot(groupName));
  groups_.erase(groups_.begin() + (group - groups_.data()));
  log_(Format("Delete LoadBalance Group [%s] Succeeded", groupName));
  return true;
}

bool CLoadBalanceCommands::DeleteGroupAps(const std::string& groupName) {
  LoadBalanceGroupRecord* group = FindGroup(groups_, groupName);
  if (!group || !SwitchMembersOff(*group)) return false;
  const int root = tree_.FindRoot(groupName);
  bool allRemoved = true;
  std::vector<ApInfoRecord> kept;
  for (const ApInfoRecord& ap : group->aps) {
    if (service_.RemoveApsFromGroup(groupName, ap.mac)) {
      tree_.RemoveChild(root, CLoadBalanceTree::ApLabel(ap));
    } else {
      allRemoved = false;
      kept.push_back(ap);  // still a member in the database, so still shown
    }
  }
  group->aps = std::move(kept);
  if (!allRemoved ||
      (group->aps.empty() && HasStoredRow(*group) && !service_.SetGroupLoadBalance(groupName, group->member_balance))) {
    log_(Format("Delete All aps of LoadBalance Group [%s] Failed", groupName));
    return false;
  }
  log_(Format("Delete All aps of LoadBalance Group [%s] Succeeded", groupName));
  return true;
}

bool CLoadBalanceCommands::DeleteApNode(const std::string& groupName, const std::string& apLabel) {
  LoadBalanceGroupRecord* group = FindGroup(groups_, groupName);
  if (!group) return false;
  const auto member = std::find_if(group->aps.begin(), group->aps.end(), [&](const ApInfoRecord& ap) {
    return CLoadBalanceTree::ApLabel(ap) == apLabel;
  });
  if (member == group->aps.end()) return false;
  std::vector<ApInfoRecord> aps{*member};
  aps[0].crvAPWaterLevelBalancing = "0";
  std::vector<ApInfoRecord> failed;
  if (!service_.SetLoadBalance(aps, failed, 0, false)) return false;
  aps = {*member};
  aps[0].crvAPWaterLevelBalancing = "0";
  failed.clear();
  if (!service_.SaveApLoadBalanceProperties(aps, failed, false)) return false;
  if (!service_.RemoveApsFromGroup(groupName, member->mac)) return false;
  group->aps.erase(member);
  tree_.RemoveChild(tree_.FindRoot(groupName), apLabel);
  log_(Format("Disable the ap[%s] from the group[%s] Succeeded", apLabel, groupName));
  return true;
}

bool CLoadBalanceCommands::RenameGroup(const std::string& oldName, const std::string& newName) {
  LoadBalanceGroupRecord* group = FindGroup(groups_, oldName);
  if (!group) return false;
  LoadBalanceGroupRecord renamed = *group;
  renamed.group_name = newName;
  if (!service_.RenameGroup({renamed}, {oldName})) return false;
  tree_.SetRootText(tree_.FindRoot(oldName), newName);
  group->group_name = newName;
  for (ApInfoRecord& ap : group->aps) ap.group_balance = newName;
  log_(Format("LoadBalance Group [%s] Renamed [%s] Succeeded", oldName, newName));
  return true;
}

bool CLoadBalanceCommands::SetGroupBalancing(const std::string& groupName, bool on) {
  LoadBalanceGroupRecord* group = FindGroup(groups_, groupName);
  if (!group) return false;
  const std::string balancing = on ? "1" : "0";
  std::vector<ApInfoRecord> aps = group->aps;
  std::vector<ApInfoRecord> failed;
  if ((!aps.empty() && !SetApsBalancing(aps, failed, on)) ||
      (HasStoredRow(*group) && !service_.SetGroupLoadBalance(groupName, on ? 1 : 0))) {
    log_(Format(on ? "Enable LoadBalance Group [%s] Failed" : "Disable LoadBalance Group [%s] Failed", groupName));
    return false;
  }
  group->load_balance = on ? 1 : 0;
  for (ApInfoRecord& member : group->aps)
    if (HasMac(aps, member)) member.crvAPWaterLevelBalancing = balancing;
  const int root = tree_.FindRoot(groupName);
  tree_.SetRootImage(root, CLoadBalanceTree::GroupImage(*group));
  tree_.BuildGroup(*group, root);
  log_(Format(on ? "Enable LoadBalance Group [%s] Succeeded" : "Disable LoadBalance Group [%s] Succeeded", groupName));
  return true;
}

bool CLoadBalanceCommands::JoinGroup(const std::string& groupName, const std::vector<ApInfoRecord>& picked) {
  const LoadBalanceGroupRecord* group = FindGroup(groups_, groupName);
  if (!group) return false;
  std::vector<ApInfoRecord> aps = picked;
  FilterApListByGroup(aps, true);
  if (aps.empty() || !BalanceAndStore(aps, group->load_balance, true)) return false;
  return AddApsToGroupNode(groupName, aps, group->load_balance ? "1" : "0");
}

bool CLoadBalanceCommands::DropApOnGroup(const ApInfoRecord& ap, const std::string& groupName) {
  const LoadBalanceGroupRecord* group = FindGroup(groups_, groupName);
  if (!group || !ap.group_balance.empty()) return false;
  std::vector<ApInfoRecord> aps{ap};
  if (!BalanceAndStore(aps, group->load_balance, false) || aps.empty()) return false;
  return AddApsToGroupNode(groupName, aps, group->member_balance ? "1" : "0");
}

bool CLoadBalanceCommands::AddApsToGroupNode(const std::string& groupName, const std::vector<ApInfoRecord>& aps,
                                             const std::string& balancing) {
  LoadBalanceGroupRecord* group = FindGroup(groups_, groupName);
  if (!group) return false;
  LoadBalanceGroupRecord joined = *group;
  joined.aps = aps;
  if (!service_.AddApsToGroup({joined})) return false;
  AddMembers(*group, aps, balancing);
  AddMembers(joined, aps, balancing);
  tree_.BuildGroup(joined, tree_.FindRoot(groupName));
  return true;
}

bool CLoadBalanceCommands::SetApsBalancing(std::vector<ApInfoRecord>& aps, std::vector<ApInfoRecord>& failed,
                                           bool on) {
  const std::string balancing = on ? "1" : "0";
  if (!service_.SetLoadBalance(aps, failed, on ? 1 : 0, false)) return false;
  TakeOutFailed(aps, failed);  // what an AP did not take is not stored as its state
  for (ApInfoRecord& ap : aps) ap.crvAPWaterLevelBalancing = balancing;
  std::vector<ApInfoRecord> unsaved;
  return service_.SaveApLoadBalanceProperties(aps, unsaved, false);
}

void CLoadBalanceCommands::SetExpanded(const std::string& groupName, bool expanded) {
  tree_.SetExpanded(tree_.FindRoot(groupName), expanded);
}

std::string CLoadBalanceCommands::SummaryText(const std::string& lastPolling) {
  std::vector<ApInfoRecord> aps;
  service_.GetLoadBalanceApList(aps);
  const auto balancingAps =
      std::count_if(aps.begin(), aps.end(), [](const ApInfoRecord& ap) { return ap.crvAPWaterLevelBalancing == "1"; });
  const auto enabledGroups = std::count_if(groups_.begin(), groups_.end(),
                                           [](const LoadBalanceGroupRecord& g) { return g.load_balance == 1; });
  return "Load Balance Summary \r\n\r\n"
         "\r\nTotal Load balance Group numbers\t:" + std::to_string(groups_.size()) + " \r\n" +
         "\r\nTotal Load balance AP numbers   \t:" + std::to_string(balancingAps) + " \r\n" +
         "\r\nEnable Load balance Group numbers \t:" + std::to_string(enabledGroups) + "\r\n" +
         "\r\nLast polling time   : " + lastPolling + "\r\n";
}

std::optional<ApInfoRecord> CLoadBalanceCommands::FindAp(const std::string& groupName,
                                                         const std::string& apLabel) const {
  const LoadBalanceGroupRecord* group = FindGroup(groups_, groupName);
  if (!group) return std::nullopt;
  for (const ApInfoRecord& ap : group->aps)
    if (CLoadBalanceTree::ApLabel(ap) == apLabel) return ap;
  return std::nullopt;
}
