#pragma once
// Diagnostic lines for developers. They go to standard error when PELLION_TRACE is set, else nowhere.
#include <cstdarg>
#include <string>

namespace platform {
// The formatter behind DebugTrace: %s %d %u %x %X %f and %% only; any other character after '%' is
// copied without the '%'. The result never exceeds 1,023 bytes.
std::string FormatTrace(const char* format, va_list args);
}  // namespace platform

void DebugTrace(const char* format, ...);
