#include "log/LogLevelMask.h"

std::atomic<int32_t> g_nLogLevelMask{0};
