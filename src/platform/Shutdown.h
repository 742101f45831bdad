#pragma once
// The ordered shut-down of the process-wide services. Each singleton registers its deleter when it is
// created; RunShutdown deletes what exists, in the fixed stage order.
#include <functional>

namespace platform {

enum class ShutdownStage { GroupStore = 1, EventLog = 2, LoadBalanceManager = 3, ConnectionPool = 4 };

void RegisterShutdown(ShutdownStage stage, std::function<void()> deleter);
void RunShutdown();

}  // namespace platform
