#include "loadbalance/ui/LoadBalanceJob.h"

CLoadBalanceJob::~CLoadBalanceJob() { Stop(false); }

bool CLoadBalanceJob::Launch(Work work, Done done) {
  if (m_busy) return false;
  Stop(false);  // the finished thread of the job before
  m_work = std::move(work);
  m_done = std::move(done);
  m_busy = StartNoParam();
  return m_busy;
}

std::uint32_t CLoadBalanceJob::Run(void*) {
  const bool succeeded = m_work();
  m_target.CallAfter([this, succeeded] {
    m_busy = false;
    Stop(false);
    if (m_done) m_done(succeeded);
  });
  return succeeded ? 0 : 1;
}
