#include "groupapply/ApplyTemplateThread.h"

#include <vector>

#include "db/ApInfoRecord.h"
#include "groupapply/GroupTemplateApply.h"
#include "groups/GroupStore.h"
#include "platform/MessageIds.h"

CApplyTemplateThread::CApplyTemplateThread(std::uint32_t settleMs) : m_settleMs(settleMs) {}

// Run uses this object's members: the thread ends here, before they go.
CApplyTemplateThread::~CApplyTemplateThread() {
  m_cancel = true;
  Stop(true);
}

bool CApplyTemplateThread::StartApply(const std::string& group) {
  if (m_running.exchange(true)) return false;
  Stop(false);  // the previous apply has ended; only its thread is left to join
  SetGroupName(group);
  if (StartNoParam()) return true;
  m_running = false;
  return false;
}

void CApplyTemplateThread::SetGroupName(const std::string& group) {
  std::lock_guard lock(m_groupMutex);
  m_strGroupName = group;
}

std::uint32_t CApplyTemplateThread::Run(void*) {
  m_cancel = false;
  std::string group;
  {
    std::lock_guard lock(m_groupMutex);
    group = m_strGroupName;
  }
  std::vector<ApInfoRecord> aps;
  GetGroupStore()->GetGroupDevices(group, aps);  // a group that cannot be read applies to no AP
  m_nProgressRange = 6 * static_cast<int>(aps.size());
  Post(msg::WM_NMS_POLLING_LOCK);
  for (const ApInfoRecord& ap : aps) {
    if (m_cancel || StopRequested()) break;
    ApplyGroup(group, ap.ip, ap.mac);
  }
  WaitMs(m_settleMs);
  Post(msg::WM_NMS_TEMPLATE_STEP, m_nProgressRange, 1);
  Post(msg::WM_NMS_TEMPLATE_END);
  Post(msg::WM_NMS_POLLING_RESTART);
  m_running = false;
  return 0;
}

int CApplyTemplateThread::ApplyGroup(const std::string& group, const std::string& ip, const std::string& mac) {
  CGroupTemplateApply apply(group, ip, mac,
                            {[this] { return m_cancel || StopRequested(); },
                             [this] { Post(msg::WM_NMS_TEMPLATE_STEP, m_nProgressRange, 1); },
                             [this](const std::string& text) { Post(msg::WM_NMS_TEMPLATE_STATUS, 0, 0, text); }});
  apply.Run();
  return 0;
}

void CApplyTemplateThread::Post(std::uint32_t id, std::uintptr_t wParam, std::intptr_t lParam, std::string text) {
  platform::PostMessage(m_ownerWnd, id, wParam, lParam, std::move(text));
}
