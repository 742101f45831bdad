#pragma once
// A polling thread that records what it is asked.
#include <functional>
#include <string>
#include <vector>

#include "mainmodel/PollingControl.h"

class FakePolling : public IPollingControl {
 public:
  std::vector<std::string> calls;
  bool idle = true;
  std::function<void(const std::string&)> onCall;

  bool Start(platform::WindowId) override { return Record("start"); }
  void Lock() override { Record("lock"); }
  void Restart() override { Record("restart"); }
  bool WaitIdle(std::chrono::milliseconds) override {
    Record("wait idle");
    return idle;
  }
  void EnableScanIP(bool enable) override { Record(enable ? "scan on" : "scan off"); }
  void ResetCountdown() override { Record("countdown"); }
  void Stop() override { Record("stop"); }

 private:
  bool Record(const std::string& call) {
    calls.push_back(call);
    if (onCall) onCall(call);
    return true;
  }
};
