#include "config/ApSetThread.h"

#include <algorithm>

#include "config/ApObjectTable.h"
#include "db/AccessDatabase.h"
#include "db/GroupTemplateRecord.h"
#include "groups/GroupStore.h"
#include "groups/PreviousApAddress.h"
#include "log/LogDBModule.h"
#include "platform/MessageIds.h"
#include "snmp/y_snmp.h"

namespace {

constexpr int kSyntaxInteger = 2;
constexpr int kSyntaxOctetString = 4;
constexpr int kLevelCritical = 1;
constexpr std::uint32_t kAbortCheckMs = 100;

// Commit flags of one job: bit 1 none, bit 2 apply, bit 4 restart.
constexpr int kCommitNone = 1;
constexpr int kCommitApply = 2;
constexpr int kCommitRestart = 4;

std::string Ap(const std::string& ip, const std::string& mac) { return "AP " + ip + "[" + mac + "]"; }

}  // namespace

CApSetThread::CApSetThread(platform::WindowId owner, std::uint32_t rebootWaitMs)
    : m_owner(owner), m_rebootWaitMs(rebootWaitMs) {}

// Run uses this object's members: the job ends here, before they go.
CApSetThread::~CApSetThread() {
  m_abort = true;
  Stop(true);
}

void CApSetThread::SetTask(const CApSetTask& task) {
  std::lock_guard lock(m_taskMutex);
  m_task = task;
}

bool CApSetThread::StartJob() {
  // A cancelled job may still be inside an exchange: it is told to end and joined before the next starts.
  Stop(m_abort);
  m_appliedAndStored = false;
  return StartNoParam();
}

std::string CApSetThread::GetMac() const {
  std::lock_guard lock(m_taskMutex);
  return m_task.mac;
}

bool CApSetThread::GetReplaceFlag() const {
  std::lock_guard lock(m_taskMutex);
  return m_task.replacement;
}

void CApSetThread::PostProgress(int total) { Post(msg::WM_NMS_APSET_STEP, static_cast<std::uintptr_t>(total), 1); }

void CApSetThread::PostStatusText(const std::string& text) { Post(msg::WM_NMS_APSET_TEXT, 0, 0, text); }

void CApSetThread::Post(std::uint32_t id, std::uintptr_t wParam, std::intptr_t lParam, std::string text) {
  if (m_owner != platform::kNoWindow) platform::PostMessage(m_owner, id, wParam, lParam, std::move(text));
}

std::uint32_t CApSetThread::Run(void*) {
  m_abort = false;
  m_results.clear();
  m_updates.clear();
  m_lastChannel.clear();  // a SuperG entry re-sends this job's channel, never another job's
  ApSetEntryList entries;
  bool addressChanged = false;
  {
    std::lock_guard lock(m_taskMutex);
    m_ip = m_task.ip;
    m_mac = m_task.mac;
    entries = m_task.entries;
    addressChanged = m_task.addressChanged;
  }
  CGroupStore* store = GetGroupStore();
  if (addressChanged) {
    const std::string current = store->GetDevIpByMac(m_mac);
    if (!current.empty()) m_ip = current;
  }
  const std::string community = store->GetDevPassword(m_mac, KeyKind::Mac);
  if (community.empty())
    GetLogDBModule()->WriteSystemLog(kLevelCritical, "device " + m_ip + "[" + m_mac + "] empty password");
  m_root = store->GetDevSysObjectID(m_mac, KeyKind::Mac);
  CYSnmp snmp;
  snmp.SetIp(m_ip);
  snmp.SetWriteCommunity(community);
  const int total = static_cast<int>(entries.size()) + 3;
  const bool balancing = InBalancingGroup();
  // Polling pauses before the first set, so no pass records the job's half-done state as a change.
  Post(msg::WM_NMS_POLLING_LOCK);
  int commitFlags = kCommitNone;
  bool anyAccepted = false;
  for (const CApSetEntry& entry : entries) {
    PostProgress(total);
    if (m_abort || StopRequested()) return 0;
    const std::string commitKey = entry.oid == CApSetEntry::kAutoChannelOid ? ApObjectTable::kAutoChannel : entry.oid;
    switch (ApObjectTable::CommitOf(commitKey)) {
      case ApCommitClass::kApply: commitFlags |= kCommitApply; break;
      case ApCommitClass::kNone: commitFlags |= kCommitNone; break;
      case ApCommitClass::kRestartIfBalancing: commitFlags |= balancing ? kCommitRestart : kCommitNone; break;
      case ApCommitClass::kRestart: commitFlags |= kCommitRestart; break;
    }
    std::string key;
    const int result = SendEntry(snmp, entry, key);
    anyAccepted = anyAccepted || result == 0;
    RecordSetResult(key, entry.value, result == 0);
  }
  // An AP that refused every set has nothing to commit and the database nothing to store: the job ends
  // as a refused one, its failures logged already.
  const CommitOutcome outcome = anyAccepted ? Commit(snmp, commitFlags) : CommitOutcome::kRefused;
  if (outcome == CommitOutcome::kRefused) {
    for (const std::string& line : m_results) GetLogDBModule()->WriteActionLog(line + " fail");
    for (int step = 0; step < 3; ++step) PostProgress(total);
    return 0;
  }
  m_appliedAndStored = outcome == CommitOutcome::kStored;
  PostProgress(total);
  PostProgress(total);
  // The AP runs with what it accepted either way; the words say whether the database holds it too.
  const char* ending = outcome == CommitOutcome::kStored ? " success" : " changed on device, not saved";
  for (const std::string& line : m_results) GetLogDBModule()->WriteActionLog(line + ending);
  PostProgress(total);
  groups::ClearPreviousApIp();
  Post(msg::WM_NMS_APSET_DONE);
  return 0;
}

int CApSetThread::SendEntry(CYSnmp& snmp, const CApSetEntry& entry, std::string& key) {
  const std::string& oid = entry.oid;
  const std::string target = entry.relative == 1 ? m_root + oid : oid;
  if (oid == CApSetEntry::kAutoChannelOid) {
    key = ApObjectTable::kAutoChannel;
    const int result = snmp.Set(m_root + ApObjectTable::kAutoChannel, entry.value);
    PostStatusText(entry.value == "1" ? "Enable Auto Select Channel.." : "Disable Auto Select Channel..");
    return result;
  }
  key = oid;
  if (oid == ApObjectTable::kAddFilterMac || oid == ApObjectTable::kDeleteFilterMac)
    return snmp.SetTyped(kSyntaxOctetString, m_root + oid, entry.value);
  if (oid == ApObjectTable::kName) return 0;  // the name lives only in the database
  if (oid == ApObjectTable::kSuperG) {
    // The AP drops its channel with a SuperG change: it gets this job's channel back, or the one it had.
    if (m_lastChannel.empty()) snmp.Get(m_root + ApObjectTable::kChannel, m_lastChannel);
    const int result = snmp.Set(target, entry.value);
    if (!m_lastChannel.empty()) snmp.Set(m_root + ApObjectTable::kChannel, m_lastChannel);
    return result;
  }
  if (oid == ApObjectTable::kChannel) m_lastChannel = entry.value;
  return snmp.Set(target, entry.value);
}

CApSetThread::CommitOutcome CApSetThread::Commit(CYSnmp& snmp, int commitFlags) {
  if (commitFlags & kCommitRestart) {
    const bool ok = snmp.SetTyped(kSyntaxInteger, m_root + ".1.3.0", "1") == 0;
    const CommitOutcome outcome = ok ? Store() : CommitOutcome::kRefused;
    PostStatusText("Rebooting device...please wait...");
    // The wait ends early on a cancel or when the program stops.
    for (std::uint32_t waited = 0; waited < m_rebootWaitMs && !m_abort; waited += kAbortCheckMs)
      if (!WaitMs(std::min(kAbortCheckMs, m_rebootWaitMs - waited))) break;
    return outcome;
  }
  if ((commitFlags & kCommitApply) && snmp.SetTyped(kSyntaxInteger, m_root + ".1.1.0", "1") != 0)
    return CommitOutcome::kRefused;
  return Store();
}

CApSetThread::CommitOutcome CApSetThread::Store() {
  return GetGroupStore()->SyncApConfiguration(m_mac, m_updates) == 0 ? CommitOutcome::kStored
                                                                       : CommitOutcome::kNotStored;
}

bool CApSetThread::InBalancingGroup() const {
  const auto groupsOfAp =
      CAccessDatabase().QueryValues("SELECT group_name FROM user_def_group WHERE group_device_mac = ?", {m_mac});
  for (const auto& row : groupsOfAp) {
    if (row.empty() || row[0].empty()) continue;
    GroupTemplateRecord groupTemplate;
    if (GetGroupStore()->GetGroupTemplate(row[0], &groupTemplate) == 0 && groupTemplate.loadbalance_group == 1)
      return true;
  }
  return false;
}

void CApSetThread::RecordSetResult(const std::string& key, const std::string& value, bool ok) {
  const ApObjectRow* row = ApObjectTable::Find(key);
  // Keys outside the table and rows without a name have no line; only a listed row records an update.
  if (!row) return;
  const ApPropertyUpdate update{row->column, value, true,
                                key == ApObjectTable::kAddFilterMac      ? ApPropertyUpdate::kAddFilterMac
                                : key == ApObjectTable::kDeleteFilterMac ? ApPropertyUpdate::kDeleteFilterMac
                                                                         : ApPropertyUpdate::kNoFilterOperation};
  std::string line;
  if (key == ApObjectTable::kAddFilterMac || key == ApObjectTable::kDeleteFilterMac) {
    line = key == ApObjectTable::kAddFilterMac ? "Add filter mac [" + value + "] to " + Ap(m_ip, m_mac)
                                               : "Delete filter mac [" + value + "] from " + Ap(m_ip, m_mac);
  } else if (!row->displayName.empty()) {
    std::string word = row->secret ? ApObjectTable::kMasked : row->fixedWord.empty() ? value : row->fixedWord;
    if (!row->valueWords.empty()) {
      word.clear();
      bool matched = false;
      for (const auto& [code, text] : row->valueWords)
        if (code == value) {
          word = text;
          matched = true;
          break;
        }
      if (!matched && row->unmatched == ApUnmatchedValue::kIgnore) return;
    }
    line = "Set " + Ap(m_ip, m_mac) + " " + row->displayName + " to " + word;
  }
  if (!row->statusText.empty()) PostStatusText(row->statusText);
  if (!ok) {
    if (!line.empty()) GetLogDBModule()->WriteActionLog(line + " fail");
    return;
  }
  if (!line.empty()) m_results.push_back(line);
  m_updates.push_back(update);
}
