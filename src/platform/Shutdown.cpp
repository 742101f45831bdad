#include "platform/Shutdown.h"

#include <map>
#include <mutex>

namespace platform {
namespace {
std::mutex g_mutex;
std::multimap<ShutdownStage, std::function<void()>> g_deleters;
}  // namespace

void RegisterShutdown(ShutdownStage stage, std::function<void()> deleter) {
  std::lock_guard lock(g_mutex);
  g_deleters.emplace(stage, std::move(deleter));
}

void RunShutdown() {
  std::multimap<ShutdownStage, std::function<void()>> deleters;
  {
    std::lock_guard lock(g_mutex);
    deleters.swap(g_deleters);
  }
  // Stage order: a later service (the connection pool) may still be used while an earlier one goes.
  for (auto& [stage, deleter] : deleters) deleter();
}

}  // namespace platform
