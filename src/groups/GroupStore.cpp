#include "groups/GroupStore.h"

#include <atomic>
#include <mutex>

#include "db/GroupDatabase.h"
#include "log/LogDBModule.h"
#include "platform/Shutdown.h"

namespace {

std::atomic<CGroupStore*> g_groupStore{nullptr};
std::mutex g_creation;

}  // namespace

CGroupStore* GetGroupStore() {
  if (CGroupStore* store = g_groupStore.load(std::memory_order_acquire)) return store;
  std::lock_guard lock(g_creation);
  CGroupStore* store = g_groupStore.load(std::memory_order_acquire);
  if (!store) {
    store = new CGroupStore;
    g_groupStore.store(store, std::memory_order_release);
    platform::RegisterShutdown(platform::ShutdownStage::GroupStore,
                               [] { delete g_groupStore.exchange(nullptr, std::memory_order_acq_rel); });
  }
  return store;
}

void CGroupStore::LogAction(const std::string& text) { GetLogDBModule()->WriteActionLog(text); }

int CGroupStore::GetGroupList(std::vector<GroupMemberList>& groups) { return CGroupDatabase().GetGroupList(groups); }

int CGroupStore::AddGroup(const std::string& group, GroupTemplateRecord* record) {
  const int result = CGroupDatabase().AddGroup(group, record);
  if (result == 0) LogAction("Add group " + group);
  return result;
}

int CGroupStore::AddApToGroup(const std::string& group, const std::string& mac) {
  const int result = CGroupDatabase().AddApToGroup(group, mac);
  LogAction("Add AP " + GetDevIpByMac(mac) + "[" + mac + "] to group " + group + (result == 0 ? " success" : " fail"));
  return result;
}

int CGroupStore::GetGroupDevices(const std::string& group, std::vector<ApInfoRecord>& devices) {
  return CGroupDatabase().GetGroupDevices(group, devices);
}

int CGroupStore::SetGroupDevices(const std::string& group, std::vector<ApInfoRecord> devices) {
  return CGroupDatabase().SetGroupDevices(group, std::move(devices));
}

int CGroupStore::DeleteGroup(const std::string& group) {
  const int result = CGroupDatabase().DeleteGroup(group);
  if (result == 0) LogAction("Delete group " + group);
  return result;
}

int CGroupStore::DeleteApFromGroup(const std::string& group, const std::string& mac) {
  const int result = CGroupDatabase().DeleteApFromGroup(group, mac);
  if (result == 0) LogAction("Delete AP " + GetDevIpByMac(mac) + "[" + mac + "] from group " + group);
  return result;
}

int CGroupStore::RenameGroup(const std::string& oldName, const std::string& newName) {
  const int result = CGroupDatabase().RenameGroup(oldName, newName);
  if (result == 0) LogAction("Rename group " + oldName + " to " + newName);
  return result;
}

int CGroupStore::GetDefaultGroupTemplate(GroupTemplateRecord* record) {
  return record ? CGroupDatabase().GetDefaultGroupTemplate(*record) : -1;
}

int CGroupStore::GetGroupTemplate(const std::string& group, GroupTemplateRecord* record) {
  return record ? CGroupDatabase().GetGroupTemplate(group, *record) : -1;
}

int CGroupStore::GetGroupTemplateRow(const std::string& group, GroupTemplateRecord* record) {
  return record ? CGroupDatabase().GetGroupTemplateRow(group, *record) : -1;
}

int CGroupStore::SetDefaultGroupTemplate(const GroupTemplateRecord* record) {
  return record ? CGroupDatabase().SetDefaultGroupTemplate(*record) : -1;
}

int CGroupStore::ModifyGroupTemplate(const std::string& group, const GroupTemplateRecord* record) {
  return record ? CGroupDatabase().ModifyGroupTemplate(group, *record) : -1;
}

int CGroupStore::CopyGroupTemplate(const std::string& source, const std::string& target) {
  return CGroupDatabase().CopyGroupTemplate(source, target);
}

int CGroupStore::GetGroupLoadBalance(const std::string& group, GroupTemplateRecord* record) {
  return record ? CGroupDatabase().GetGroupLoadBalance(group, *record) : -1;
}

int CGroupStore::GetManagedApList(std::vector<ApInfoRecord>& aps) { return CGroupDatabase().GetManagedApList(aps); }

int CGroupStore::GroupExists(const std::string& group) { return CGroupDatabase().GroupExists(group); }

int CGroupStore::IsDefaultTemplateGroup(const std::string& group) { return CGroupDatabase().IsDefaultGroup(group); }
