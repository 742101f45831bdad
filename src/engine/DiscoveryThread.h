#pragma once
// A one-shot discovery run on a thread of its own: scans the Discovery Wizard's segments for switches
// with an engine of its own, reads the details of what it found and reports by posted messages. The main
// window builds and destroys one with the polling thread; the console's discovery runs through the
// polling thread's scan instead, so nothing starts this one.
#include <mutex>

#include "db/DiscoveryDb.h"
#include "engine/NetworkEngine.h"
#include "platform/Window.h"
#include "platform/WorkerThread.h"

class CDiscoveryThread : public platform::CWorkerThread {
 public:
  CDiscoveryThread() = default;
  // RequestStop, then waits for the thread.
  ~CDiscoveryThread() override;

  bool IsBusy();
  void SetBusy(bool busy);
  // Stops a run in progress at its next step.
  void RequestStop();
  void SetNotifyWnd(platform::WindowId window) { notifyWindow_ = window; }
  // Replaces the saved links (device_map) by the engine's current links.
  void SaveDeviceMap();

  // One run: 1 a switch was found; 0 no segment stored; -1 no switch found; at once when busy.
  int Discover();

 protected:
  std::uint32_t Run(void* param) override;

 private:
  std::mutex busyLock_;
  bool busy_ = false;
  CNetworkEngine engine_;
  CDiscoveryDb discoveryDb_;
  platform::WindowId notifyWindow_ = platform::kNoWindow;
};
