#include "uibase/UiThreadCall.h"

#include <chrono>

namespace {
std::atomic<bool> g_shuttingDown{false};
std::atomic<int> g_joining{0};

bool GiveUp() { return g_shuttingDown || g_joining > 0; }
}  // namespace

CUiThreadCall::CUiThreadCall(wxEvtHandler& target, std::function<std::intptr_t()> work)
    : abandoned_(std::make_shared<std::atomic<bool>>(false)) {
  // The promise travels with the queued call; a call deleted unrun breaks it, which ends the wait.
  auto result = std::make_shared<std::promise<std::intptr_t>>();
  answer_ = result->get_future();
  target.CallAfter([work = std::move(work), result = std::move(result), abandoned = abandoned_] {
    if (!*abandoned) result->set_value(work());
  });
}

std::intptr_t CUiThreadCall::Wait(std::intptr_t fallback) {
  while (answer_.wait_for(std::chrono::milliseconds(100)) != std::future_status::ready) {
    if (GiveUp()) {
      *abandoned_ = true;
      return fallback;
    }
  }
  try {
    return answer_.get();
  } catch (const std::future_error&) {
    return fallback;
  }
}

void CUiThreadCall::SetShuttingDown(bool shuttingDown) { g_shuttingDown = shuttingDown; }
bool CUiThreadCall::IsShuttingDown() { return g_shuttingDown; }

CUiThreadJoining::CUiThreadJoining() { ++g_joining; }
CUiThreadJoining::~CUiThreadJoining() { --g_joining; }
