#include "groupmodel/GroupAddApModel.h"

#include <algorithm>

#include "groupmodel/BindingWarning.h"
#include "groupmodel/GroupChanges.h"
#include "groups/GroupStore.h"
#include "platform/MessageBox.h"

void CGroupAddApModel::Load() {
  candidates_.clear();
  CGroupStore* store = GetGroupStore();
  std::vector<ApInfoRecord> managed, members;
  store->GetManagedApList(managed);
  store->GetGroupDevices(group_, members);
  for (const ApInfoRecord& ap : managed)
    if (std::none_of(members.begin(), members.end(), [&](const ApInfoRecord& m) { return m.mac == ap.mac; }))
      candidates_.push_back(ap);
}

bool CGroupAddApModel::Commit(const std::vector<int>& chosenRows) {
  CGroupStore* store = GetGroupStore();
  std::vector<const ApInfoRecord*> chosen;
  for (int row : chosenRows) {
    const ApInfoRecord& ap = candidates_.at(row);
    GroupBindRecord binding;
    if (store->CheckGroupBinding(ap.mac, group_, &binding)) {
      platform::MessageBox(FormatBindingWarning(ap.ip, binding), "", platform::MB_ICONINFORMATION);
      return false;
    }
    chosen.push_back(&ap);
  }
  for (const ApInfoRecord* ap : chosen)
    if (!StoreGroupMember(group_, ap->mac, ap->ip)) {
      Load();  // the APs stored before the refused one are members now: they are no longer offered
      return false;
    }
  return true;
}
