#include "groupmodel/GroupApListModel.h"

#include <algorithm>

#include "groupmodel/BindingWarning.h"
#include "groups/GroupStore.h"
#include "platform/MessageBox.h"

void CGroupApListModel::Load() {
  members_.clear();
  available_.clear();
  CGroupStore* store = GetGroupStore();
  store->GetGroupDevices(group_, members_);
  std::vector<ApInfoRecord> managed;
  store->GetManagedApList(managed);
  for (const ApInfoRecord& ap : managed)
    if (std::none_of(members_.begin(), members_.end(), [&](const ApInfoRecord& m) { return m.mac == ap.mac; }))
      available_.push_back(ap);
}

bool CGroupApListModel::Add(int row) {
  if (row < 0 || row >= static_cast<int>(available_.size())) {
    platform::MessageBox("please select a item from available Ap list", "", platform::MB_ICONWARNING);
    return false;
  }
  const ApInfoRecord ap = available_[row];
  GroupBindRecord binding;
  if (GetGroupStore()->CheckGroupBinding(ap.mac, group_, &binding)) {
    platform::MessageBox(FormatBindingWarning(ap.ip, binding), "", platform::MB_ICONINFORMATION);
    return false;
  }
  members_.push_back(ap);
  available_.erase(available_.begin() + row);
  return true;
}

bool CGroupApListModel::Remove(int row) {
  if (row < 0 || row >= static_cast<int>(members_.size())) {
    platform::MessageBox("please select a item from group Ap list", "", platform::MB_ICONWARNING);
    return false;
  }
  available_.push_back(members_[row]);
  members_.erase(members_.begin() + row);
  return true;
}

bool CGroupApListModel::Save() {
  std::vector<ApInfoRecord> macs;
  for (const ApInfoRecord& ap : members_) {
    ApInfoRecord only;
    only.mac = ap.mac;
    macs.push_back(only);
  }
  const bool saved = GetGroupStore()->SetGroupDevices(group_, macs) == 0;
  platform::MessageBox(saved ? "success" : "fail", "", saved ? platform::MB_ICONINFORMATION : platform::MB_ICONERROR);
  return saved;
}
