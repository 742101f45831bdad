#pragma once
// Applies a group's template to every AP of the group on a worker thread, reporting to the owner window
// by posted messages: polling locked before the first AP, five progress steps and the status texts per
// AP, then after a settling wait one last step, the end and polling restarted. Cancel stops the current
// AP at its next check and skips the others; stopping the thread also ends the settling wait.
#include <atomic>
#include <cstdint>
#include <mutex>
#include <string>

#include "platform/Window.h"
#include "platform/WorkerThread.h"

class CApplyTemplateThread : public platform::CWorkerThread {
 public:
  static constexpr std::uint32_t kSettleMs = 15000;

  // settleMs: the wait after the last AP for the APs to come back from their restart.
  explicit CApplyTemplateThread(std::uint32_t settleMs = kSettleMs);
  ~CApplyTemplateThread() override;

  // Set once, before any apply.
  void SetOwnerWindow(platform::WindowId owner) { m_ownerWnd = owner; }
  // Starts applying the group; false, and nothing started, while an earlier apply is still running.
  bool StartApply(const std::string& group);
  void SetGroupName(const std::string& group);
  void Cancel() { m_cancel = true; }

  // One AP; always 0, the outcome is in the action log.
  int ApplyGroup(const std::string& group, const std::string& ip, const std::string& mac);

 protected:
  std::uint32_t Run(void* param) override;

 private:
  void Post(std::uint32_t id, std::uintptr_t wParam = 0, std::intptr_t lParam = 0, std::string text = {});

  std::atomic<bool> m_cancel{false};
  std::atomic<bool> m_running{false};
  std::mutex m_groupMutex;
  std::string m_strGroupName;
  std::atomic<platform::WindowId> m_ownerWnd{platform::kNoWindow};
  std::atomic<int> m_nProgressRange{0};
  const std::uint32_t m_settleMs;
};
