#include "groupmodel/GroupChanges.h"

#include "groupmodel/TextFormat.h"
#include "groups/GroupStore.h"
#include "platform/MessageBox.h"

namespace {

bool Refused(const std::string& text) {
  platform::MessageBox(text, "", platform::MB_ICONWARNING);
  return false;
}

}  // namespace

bool StoreNewGroup(const std::string& group, GroupTemplateRecord& record, const std::vector<ApInfoRecord>& members) {
  if (GetGroupStore()->AddGroup(group, &record) != 0) return Refused(FormatText("add group %s fail", {group}));
  for (const ApInfoRecord& ap : members)
    if (!StoreGroupMember(group, ap.mac, ap.ip)) return false;
  return true;
}

bool StoreGroupMember(const std::string& group, const std::string& mac, const std::string& ip) {
  if (GetGroupStore()->AddApToGroup(group, mac) == 0) return true;
  return Refused(FormatText("add AP %s to group %s fail", {ip, group}));
}

bool StoreGroupTemplate(const std::string& group, const GroupTemplateRecord& record) {
  if (GetGroupStore()->ModifyGroupTemplate(group, &record) == 0) return true;
  return Refused(FormatText("save group %s template fail", {group}));
}
