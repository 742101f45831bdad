#include "groupmodel/GroupTreeModel.h"

#include "groups/GroupStore.h"

std::string CGroupTreeModel::StripMemberCount(const std::string& label) {
  const size_t open = label.rfind('(');
  return open == std::string::npos ? std::string() : label.substr(0, open);
}

std::string CGroupTreeModel::GroupNameOfLabel(const std::string& label) {
  const size_t open = label.rfind('(');
  return open == std::string::npos ? label : label.substr(0, open);
}

std::string CGroupTreeModel::GroupLabel(const std::string& name, size_t members) {
  return name + "(" + std::to_string(members) + ")";
}

std::string CGroupTreeModel::ApLabel(const ApInfoRecord& ap) { return " " + ap.name + ":(" + ap.mac + "):" + ap.ip; }

std::string CGroupTreeModel::IpOfApLabel(const std::string& label) {
  const size_t at = label.find("):");
  return at == std::string::npos ? std::string() : label.substr(at + 2);
}

int CGroupTreeModel::GroupImage(const GroupTemplateRecord& groupTemplate) {
  if (groupTemplate.loadbalance_group == 1) return kBalanceMatches;
  if (groupTemplate.loadbalance_group == 0) return kBalanceDiffers;
  return kGroupImage;
}

int CGroupTreeModel::ApImage(int templateState) {
  switch (templateState) {
    case 0: return kApMatches;
    case 1: return kApDiffers;
    case 2: return kBalanceMatches;
    case 3: return kBalanceDiffers;
    default: return -1;
  }
}

int CGroupTreeModel::TreeViewApImage(int templateState) {
  switch (templateState) {
    case 0: return 1;
    case 1: return 2;
    case -1: return 3;
    default: return -1;
  }
}

bool CGroupTreeModel::IsTemplateEmpty(const GroupTemplateRecord& t) {
  for (int value : {t.auto_select_channel, t.beacon_interval, t.bg_mode, t.channel, t.cts_mode, t.dtim_interval,
                    t.fragmentation_threshold, t.loadbalance_group, t.mac_filter_type, t.preamble_type,
                    t.rts_threshold, t.security_cipher_type, t.security_type, t.ssid_broadcast, t.super_g_mode,
                    t.transmit_power, t.tx_rate, t.wireless_radio, t.wmm_function})
    if (value != -1) return false;
  for (const std::string* text : {&t.management_host, &t.ssid, &t.UserNumberLimit, &t.WLAN_Partition})
    if (!text->empty()) return false;
  return true;
}

bool CGroupTreeModel::BuildGroupView() {
  groups_.clear();
  std::vector<GroupMemberList> lists;
  CGroupStore* store = GetGroupStore();
  if (store->GetGroupList(lists) == -1) return false;
  for (const GroupMemberList& list : lists) {
    GroupTemplateRecord row;
    store->GetGroupTemplateRow(list.group_name, &row);
    GroupTreeGroup group{GroupLabel(list.group_name, list.members.size()), list.group_name, GroupImage(row), {}};
    for (const ApInfoRecord& ap : list.members)
      group.aps.push_back({ApLabel(ap), ApImage(store->GetApTemplateState(ap.mac, list.group_name)), ap.mac, ap.ip});
    groups_.push_back(std::move(group));
  }
  return true;
}

bool CGroupTreeModel::BuildTreeView() {
  groups_.clear();
  std::vector<GroupMemberList> lists;
  CGroupStore* store = GetGroupStore();
  if (store->GetGroupList(lists) == -1) return false;
  for (const GroupMemberList& list : lists) {
    GroupTreeGroup group{list.group_name, list.group_name, 0, {}};
    for (const ApInfoRecord& ap : list.members) {
      const int image = TreeViewApImage(store->GetApTemplateState(ap.mac, list.group_name));
      // The member records carry no SSID, so a rebuilt node reads ":IP".
      if (image != -1) group.aps.push_back({ap.ssid + ":" + ap.ip, image, ap.mac, ap.ip});
    }
    groups_.push_back(std::move(group));
  }
  return true;
}
