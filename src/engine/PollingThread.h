#pragma once
// The polling thread: one pass of its network engine per polling interval, with a countdown between the
// passes that the user-interface thread can cut short (Restart), pause (Lock), reload (ResetCountdown) or
// end (Stop). It reports by posting WM_NMS_STATUS_TEXT (0x4BB) to its notify window:
//   wParam 0, lParam 0   a pass begins (a window showing a wait cursor for Restart may drop it now)
//   wParam 0, lParam 2   the pass ended
//   wParam ms, lParam 3  milliseconds left until the next pass, about twice a second
//   wParam 0, lParam 3   the thread has stopped; the status text is then "Polling is stopped"
// No call from the user-interface thread waits for a pass: Restart, Lock and ResetCountdown change the
// state and return; only Stop waits, for the running step of a pass to see the stop flag.
#include <condition_variable>
#include <cstdint>
#include <mutex>

#include "engine/NetworkEngine.h"
#include "platform/Sync.h"
#include "platform/Window.h"
#include "platform/WorkerThread.h"

class CPollingThread : public platform::CWorkerThread {
 public:
  enum State : int {
    kStopped = 0,
    kPolling = 1,
    kStopRequested = 2,
    kWaiting = 3,
    kRestartRequested = 4,
    kReloadRequested = 5,
    kLocked = 6,
  };

  CPollingThread() = default;
  // Stop.
  ~CPollingThread() override;

  // Stores the window and hands it to the engine; before Start.
  void SetNotifyWnd(platform::WindowId window);
  // The next pass scans the Discovery Wizard's segments (or no longer does).
  void EnableScanIP(bool on) { engine_.EnableScanIP(on); }

  // Starts the thread; the first pass begins at once. False when it runs already.
  bool Start();
  // Begins a new pass now: a waiting thread wakes, a running pass is stopped early and the new one runs
  // in full, a locked thread resumes, a thread that is not running is started. Never waits.
  void Restart();
  // The variant that always takes the path of a running pass: stops it and begins a new one.
  void ForceRestart();
  // Pauses polling until Restart or Stop; a running pass ends early. Never waits.
  void Lock();
  // While waiting, the polling interval is read again; the new one counts from the start of the wait.
  void ResetCountdown();
  // Ends the thread and waits for it.
  void Stop();
  // Posts 0x4BB with wParam 1..10 and lParam 0, one a second; ends early once a stop, a restart or a
  // lock is asked for.
  void Countdown();

  int GetState();
  CNetworkEngine& Engine() { return engine_; }

  // Milliseconds between two readings of a 32-bit millisecond tick counter, also across its wrap.
  static std::uint32_t ElapsedMs(std::uint32_t startTick, std::uint32_t nowTick) { return nowTick - startTick; }

 protected:
  std::uint32_t Run(void* param) override;

 private:
  // Sets the state under the state lock and wakes every wait on it.
  void SetState(int state);
  // Changes the state to next, and asks a pass in progress to end unless the thread was waiting (then it
  // is woken instead). Returns the previous state.
  int RequestState(int next);
  // Waits while the state is value.
  void WaitWhileState(int value);
  // Waits up to 500 ms for the wake event.
  void WaitForWake();
  void PostStatus(std::uintptr_t wParam, std::intptr_t lParam);
  static int PollingIntervalMs();
  static std::uint32_t TickMs();

  std::mutex stateLock_;
  std::condition_variable stateChanged_;
  int state_ = kStopped;
  platform::Event wake_{platform::Event::Reset::Manual, false};
  int pollingIntervalMs_ = 0;
  platform::WindowId notifyWindow_ = platform::kNoWindow;
  CNetworkEngine engine_;
};
