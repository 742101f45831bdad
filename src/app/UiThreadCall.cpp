#include "app/UiThreadCall.h"

#include <atomic>
#include <chrono>
#include <memory>

namespace {
std::atomic<bool> g_shuttingDown{false};
}  // namespace

CUiThreadCall::CUiThreadCall(wxEvtHandler& target, std::function<std::intptr_t()> work) {
  // The promise travels with the queued call; a call deleted unrun breaks it, which ends the wait.
  auto result = std::make_shared<std::promise<std::intptr_t>>();
  answer_ = result->get_future();
  target.CallAfter([work = std::move(work), result = std::move(result)] { result->set_value(work()); });
}

std::intptr_t CUiThreadCall::Wait(std::intptr_t fallback) {
  while (answer_.wait_for(std::chrono::milliseconds(100)) != std::future_status::ready)
    if (g_shuttingDown) return fallback;
  try {
    return answer_.get();
  } catch (const std::future_error&) {
    return fallback;
  }
}

void CUiThreadCall::SetShuttingDown(bool shuttingDown) { g_shuttingDown = shuttingDown; }
bool CUiThreadCall::IsShuttingDown() { return g_shuttingDown; }
