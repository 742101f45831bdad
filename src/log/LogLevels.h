#pragma once
// The levels of system-log rows and their names. Action-log rows carry level 0.
#include <string>

enum LogLevel : int { LOG_LEVEL_CRITICAL = 1, LOG_LEVEL_WARNING = 2, LOG_LEVEL_INFO = 3, LOG_LEVEL_DEBUG = 4 };

// True for levels 1 to 4.
bool IsLogLevel(int level);
// The bit of g_nLogLevelMask that enables a level (1, 2, 4, 8); 0 for any other level.
int LogLevelBit(int level);
// The name shown in lists and alert texts: "Critical" ... "Debug", "Error level" for any other level.
std::string LogLevelName(int level);
// The name written in a saved log file: "critical" ... "debug", empty for any other level.
std::string LogLevelFileName(int level);
