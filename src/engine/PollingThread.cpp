#include "engine/PollingThread.h"

#include <chrono>
#include <string>

#include "platform/Clock.h"
#include "platform/DebugTrace.h"
#include "platform/MessageIds.h"
#include "platform/StatusText.h"
#include "settings/GlobalSettings.h"

namespace {
constexpr std::chrono::milliseconds kWaitStep{500};
constexpr std::intptr_t kPassBegins = 0;
constexpr std::intptr_t kPassEnded = 2;
constexpr std::intptr_t kCountdown = 3;
}  // namespace

CPollingThread::~CPollingThread() { Stop(); }

void CPollingThread::SetNotifyWnd(platform::WindowId window) {
  notifyWindow_ = window;
  engine_.SetNotifyWnd(window);
}

bool CPollingThread::Start() {
  if (HasThread()) return false;
  SetState(kStopped);
  return StartNoParam();
}

void CPollingThread::SetState(int state) {
  {
    std::lock_guard lock(stateLock_);
    state_ = state;
  }
  stateChanged_.notify_all();
}

int CPollingThread::GetState() {
  std::lock_guard lock(stateLock_);
  return state_;
}

int CPollingThread::RequestState(int next) {
  int previous;
  {
    std::lock_guard lock(stateLock_);
    previous = state_;
    state_ = next;
    // Under the state lock, so the thread's clearing of the flag when it begins a pass (also under the
    // lock) comes either before this, or after it and then for the pass asked for here.
    if (previous != kWaiting) engine_.RequestStop();
  }
  wake_.Set();
  stateChanged_.notify_all();
  return previous;
}

void CPollingThread::Restart() {
  if (!HasThread()) {
    DebugTrace("polling restart: the thread starts");
    Start();
    return;
  }
  const int previous = RequestState(kRestartRequested);
  DebugTrace("polling restart from state %d", previous);
}

void CPollingThread::ForceRestart() {
  if (!HasThread()) {
    Start();
    return;
  }
  SetState(kRestartRequested);
  RequestState(kRestartRequested);
}

void CPollingThread::Lock() {
  const int previous = RequestState(kLocked);
  DebugTrace("polling lock from state %d", previous);
}

void CPollingThread::ResetCountdown() {
  {
    std::lock_guard lock(stateLock_);
    if (state_ != kWaiting) return;
    state_ = kReloadRequested;
  }
  wake_.Set();
  stateChanged_.notify_all();
}

void CPollingThread::Stop() {
  if (HasThread()) RequestState(kStopRequested);
  CWorkerThread::Stop(true);
}

void CPollingThread::Countdown() {
  for (std::uintptr_t i = 1; i <= 10; ++i) {
    PostStatus(i, kPassBegins);
    std::unique_lock lock(stateLock_);
    const bool interrupted = stateChanged_.wait_for(lock, std::chrono::seconds(1), [this] {
      return state_ == kStopRequested || state_ == kRestartRequested || state_ == kLocked;
    });
    if (interrupted) return;
  }
}

void CPollingThread::WaitWhileState(int value) {
  std::unique_lock lock(stateLock_);
  stateChanged_.wait(lock, [&] { return state_ != value; });
}

void CPollingThread::WaitForWake() { wake_.Wait(kWaitStep); }

void CPollingThread::PostStatus(std::uintptr_t wParam, std::intptr_t lParam) {
  platform::PostMessage(notifyWindow_, msg::WM_NMS_STATUS_TEXT, wParam, lParam);
}

int CPollingThread::PollingIntervalMs() {
  std::lock_guard lock(g_RuntimeSettings.csSettings);
  return g_RuntimeSettings.nPollingIntervalMs;
}

std::uint32_t CPollingThread::TickMs() {
  const auto now = std::chrono::steady_clock::now().time_since_epoch();
  return static_cast<std::uint32_t>(std::chrono::duration_cast<std::chrono::milliseconds>(now).count());
}

std::uint32_t CPollingThread::Run(void*) {
  wake_.ResetEvent();
  for (;;) {
    {
      std::lock_guard lock(stateLock_);
      if (state_ == kStopRequested) break;
      state_ = kPolling;
      // A stop asked for before this point belonged to the pass that ended; the new pass runs in full.
      engine_.ClearStop();
    }
    stateChanged_.notify_all();
    {
      const std::string now = platform::FormatLocalTime(platform::Now(), "%Y.%m.%d %H:%M:%S");
      std::lock_guard lock(g_RuntimeSettings.csSettings);
      g_RuntimeSettings.strLastPollingTime = now;
    }

    PostStatus(0, kPassBegins);
    engine_.RunPass();
    PostStatus(0, kPassEnded);

    int after;
    {
      std::lock_guard lock(stateLock_);
      after = state_;
      if (after != kStopRequested && after != kRestartRequested && after != kLocked) {
        state_ = kWaiting;
        wake_.ResetEvent();
      }
    }
    if (after == kStopRequested) break;
    if (after == kRestartRequested) continue;
    if (after == kLocked) {
      WaitWhileState(kLocked);
      continue;
    }

    int interval = PollingIntervalMs();
    const std::uint32_t startTick = TickMs();
    for (bool waiting = true; waiting;) {
      WaitForWake();
      std::unique_lock lock(stateLock_);
      switch (state_) {
        case kRestartRequested:
          wake_.ResetEvent();
          waiting = false;
          break;
        case kStopRequested:
          waiting = false;
          break;
        case kReloadRequested:
          lock.unlock();
          wake_.ResetEvent();
          interval = PollingIntervalMs();
          lock.lock();
          if (state_ == kReloadRequested) state_ = kWaiting;
          break;
        case kLocked:
          lock.unlock();
          WaitWhileState(kLocked);
          break;
        default: {
          lock.unlock();
          const std::int64_t remaining =
              static_cast<std::int64_t>(interval) - static_cast<std::int64_t>(ElapsedMs(startTick, TickMs()));
          if (remaining <= 0) {
            waiting = false;
          } else {
            PostStatus(static_cast<std::uintptr_t>(remaining), kCountdown);
          }
        }
      }
    }
  }

  std::lock_guard lock(stateLock_);
  state_ = kStopped;
  SetStatusText("Polling is stopped");
  PostStatus(0, kCountdown);
  stateChanged_.notify_all();
  return 0;
}
