#pragma once
// Texts of the event log: the length limit of a description and the lines of a saved log file.
#include <cstddef>
#include <string>

constexpr std::size_t kMaxLogTextCharacters = 150;

// The first maxCharacters characters of a UTF-8 text; a character is never split.
std::string CutLogText(const std::string& text, std::size_t maxCharacters = kMaxLogTextCharacters);

// A log text kept to one line, for a saved log file or a syslog message: CR and LF written as \r and \n,
// and a backslash as \\ so that those stay unambiguous.
std::string OneLine(const std::string& text);

// "Type      Date And Time       Level          Description\r\n"
std::string SavedLogHeader();
// One row of a saved log file: type word, date-time and level name padded to 10, 20 and 15 characters
// (a longer field is written whole), then the description, its line breaks and backslashes escaped as
// \r, \n and \\, and "\r\n".
std::string SavedLogLine(int type, const std::string& dateTime, int level, const std::string& description);
