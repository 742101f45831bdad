#include "platform/WorkerThread.h"

#include <utility>

#include "platform/Delay.h"

namespace platform {

CWorkerThread::CWorkerThread() : m_threadProc(&CWorkerThread::ThreadProc) {}

CWorkerThread::~CWorkerThread() { Stop(true); }

void CWorkerThread::SetThreadProc(ThreadProcFn proc) {
  std::lock_guard lock(m_controlMutex);
  m_threadProc = std::move(proc);
}

bool CWorkerThread::Start(void* param) {
  std::lock_guard lock(m_controlMutex);
  if (m_thread.joinable()) return false;
  m_param = param;
  m_exitCode = kExitCodeRunning;
  m_stop = std::stop_source();
  m_thread = std::thread([this, proc = m_threadProc] { proc(*this); });
  m_hasThread = true;
  return true;
}

std::uint32_t CWorkerThread::Stop(bool requestStop) {
  std::lock_guard lock(m_controlMutex);
  if (!m_thread.joinable()) return m_exitCode;
  if (requestStop) m_stop.request_stop();
  // A job that stops itself from its own thread cannot join itself; it only leaves the thread to end.
  if (m_thread.get_id() == std::this_thread::get_id()) {
    m_thread.detach();
  } else {
    m_thread.join();
  }
  m_hasThread = false;
  return m_exitCode;
}

bool CWorkerThread::HasThread() const { return m_hasThread; }

std::uint32_t CWorkerThread::ExitCode() const { return m_exitCode; }

void CWorkerThread::ThreadProc(CWorkerThread& worker) {
  worker.OnInit();
  const std::uint32_t code = worker.Run(worker.m_param);
  worker.OnExit();
  worker.m_exitCode = code;
}

std::uint32_t CWorkerThread::Run(void*) { return m_exitCode; }

bool CWorkerThread::WaitMs(std::uint32_t milliseconds) const { return DelayMs(milliseconds, StopToken()); }

}  // namespace platform
