#pragma once
// Diagnostic lines for developers, one line per call. They go to standard error when PELLION_TRACE is set,
// else nowhere.
#include <cstdarg>
#include <string>

namespace platform {
// The formatter behind DebugTrace: %s %d %u %x %X %f and %% only; any other character after '%' is
// copied without the '%'. The result never exceeds 1,023 bytes.
std::string FormatTrace(const char* format, va_list args);
// The text as one trace line: line breaks it ends with are dropped, those inside are written as "\n" and
// "\r", and one line break ends it.
std::string TraceLine(std::string text);
}  // namespace platform

void DebugTrace(const char* format, ...);
