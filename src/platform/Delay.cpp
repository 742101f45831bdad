#include "platform/Delay.h"

#include <chrono>
#include <condition_variable>
#include <mutex>

namespace platform {
namespace {

std::mutex g_stopMutex;
std::stop_source g_shutdown;  // replaced by ResetDelayStop; read under g_stopMutex

std::stop_token ShutdownToken() {
  std::lock_guard lock(g_stopMutex);
  return g_shutdown.get_token();
}

}  // namespace

bool DelayMs(std::uint32_t milliseconds, std::stop_token stop) {
  // Either request ends the wait: both are forwarded to one source the wait listens to.
  std::stop_source either;
  std::stop_callback byCaller(stop, [&either] { either.request_stop(); });
  std::stop_callback byShutdown(ShutdownToken(), [&either] { either.request_stop(); });
  // A steady clock: a change of the wall clock neither shortens nor stretches the wait.
  std::mutex mutex;
  std::condition_variable_any wake;
  std::unique_lock lock(mutex);
  wake.wait_for(lock, either.get_token(), std::chrono::milliseconds(milliseconds), [] { return false; });
  return !either.stop_requested();
}

void RequestDelayStop() {
  std::lock_guard lock(g_stopMutex);
  g_shutdown.request_stop();
}

void ResetDelayStop() {
  std::lock_guard lock(g_stopMutex);
  if (g_shutdown.stop_requested()) g_shutdown = std::stop_source();
}

}  // namespace platform
