#pragma once
// After a firmware transfer the switch restarts; the console then discovers the network once a second
// until the switch answers again, at most 110 times, and says whether the upgrade took. Driven by one timer
// on the console's thread, so it ends when the console does.
#include <chrono>

#include "quillon/ConsoleTimer.h"

namespace quillon {

class CConsoleSession;
class IConsoleTransport;

struct RediscoveryTimings {
  std::chrono::milliseconds restart{12000};  // the switch writes its image and starts again
  std::chrono::milliseconds pass{1000};
  int passes = 110;
};

class CRediscovery {
 public:
  CRediscovery(CConsoleSession& session, IConsoleTransport& transport, IConsoleTimer& timer,
               RediscoveryTimings timings = {});

  void Start();
  void Stop();
  // The timer's tick: the next pass, or the result ("Upgrade successful", "Upgrade fail").
  void OnTimer();
  bool Running() const { return running_; }

 private:
  CConsoleSession& session_;
  IConsoleTransport& transport_;
  IConsoleTimer& timer_;
  RediscoveryTimings timings_;
  bool running_ = false;
  int passesDone_ = 0;
};

}  // namespace quillon
