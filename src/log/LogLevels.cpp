#include "log/LogLevels.h"

namespace {
constexpr const char* kListNames[] = {"Critical", "Warning", "Info", "Debug"};
constexpr const char* kFileNames[] = {"critical", "warning", "info", "debug"};
}  // namespace

bool IsLogLevel(int level) { return level >= LOG_LEVEL_CRITICAL && level <= LOG_LEVEL_DEBUG; }

int LogLevelBit(int level) { return IsLogLevel(level) ? 1 << (level - 1) : 0; }

std::string LogLevelName(int level) { return IsLogLevel(level) ? kListNames[level - 1] : "Error level"; }

std::string LogLevelFileName(int level) { return IsLogLevel(level) ? kFileNames[level - 1] : ""; }
