#include "groupmodel/GroupListRows.h"

#include "db/GroupMemberList.h"
#include "groupmodel/BindingWarning.h"
#include "groupmodel/GroupChanges.h"
#include "groups/GroupStore.h"
#include "platform/MessageBox.h"

void CGroupListRows::Load() {
  rows_.clear();
  CGroupStore* store = GetGroupStore();
  std::vector<ApInfoRecord> managed, fresh;
  std::vector<GroupMemberList> groups;
  store->GetManagedApList(managed);
  store->GetGroupList(groups);
  for (const ApInfoRecord& ap : managed) {
    GroupListRow row{"", ap.ip, ap.mac, "", true};
    for (const GroupMemberList& group : groups)
      for (const ApInfoRecord& member : group.members)
        if (member.mac == ap.mac) row.groups = WithGroup(row.groups, group.group_name);
    rows_.push_back(std::move(row));
  }
  store->GetNewApList(fresh);
  for (const ApInfoRecord& ap : fresh) rows_.push_back({"", ap.ip, ap.mac, "", false});
}

std::string CGroupListRows::WithGroup(const std::string& groups, const std::string& group) {
  return groups.empty() ? group : groups + ";" + group;
}

DropVerdict CGroupListRows::DropApOnGroup(const std::string& mac, const std::string& ip, bool managed,
                                          const std::string& group) {
  CGroupStore* store = GetGroupStore();
  if (store->IsDefaultTemplateGroup(group) == 1) {
    platform::MessageBox("can't add device to default group", "", platform::MB_ICONWARNING);
    return DropVerdict::kRefused;
  }
  if (!managed) {
    platform::MessageBox("Warning: couldn't add un-managed device to group\r\nSolution: save it first!", "",
                         platform::MB_ICONWARNING);
    return DropVerdict::kRefused;
  }
  if (store->IsApInGroup(mac, group) == 1) return DropVerdict::kAlreadyMember;
  GroupBindRecord binding;
  if (store->CheckGroupBinding(mac, group, &binding)) {
    platform::MessageBox(FormatBindingWarning(ip, binding), "", platform::MB_ICONWARNING);
    return DropVerdict::kRefused;
  }
  return StoreGroupMember(group, mac, ip) ? DropVerdict::kAdded : DropVerdict::kRefused;
}
