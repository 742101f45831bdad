#include "quillon/Rediscovery.h"

#include "platform/MessageBox.h"
#include "quillon/ConsoleSession.h"

namespace quillon {

CRediscovery::CRediscovery(CConsoleSession& session, IConsoleTransport& transport, IConsoleTimer& timer,
                           RediscoveryTimings timings)
    : session_(session), transport_(transport), timer_(timer), timings_(timings) {}

void CRediscovery::Start() {
  running_ = true;
  passesDone_ = 0;
  timer_.Start(timings_.restart, true);
}

void CRediscovery::Stop() {
  running_ = false;
  timer_.Stop();
}

void CRediscovery::OnTimer() {
  if (!running_) return;
  const bool found = passesDone_ > 0 && session_.RediscoveryFound();
  if (found || passesDone_ == timings_.passes) {
    Stop();
    if (found)
      platform::MessageBox("Upgrade successful", "information", platform::MB_ICONINFORMATION);
    else
      platform::MessageBox("Upgrade fail", "information", platform::MB_ICONWARNING);
    return;
  }
  ++passesDone_;
  if (!session_.RediscoveryPass(transport_)) {
    Stop();
    return;
  }
  timer_.Start(timings_.pass, true);
}

}  // namespace quillon
