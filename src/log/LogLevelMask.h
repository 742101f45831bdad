#pragma once
// The enabled levels of the system log, one bit per level: 1 Critical, 2 Warning, 4 Info, 8 Debug.
// 0 (nothing enabled) until start-up copies the settings row's log_level into it. Read without a lock by
// every writer of the log; a concurrent change only decides whether the row being written is recorded.
#include <atomic>
#include <cstdint>

extern std::atomic<int32_t> g_nLogLevelMask;
