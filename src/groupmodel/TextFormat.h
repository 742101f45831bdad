#pragma once
// Fills each "%s" of a fixed message with the next text, in order (a message's texts are user data and
// never read as a format).
#include <initializer_list>
#include <string>

std::string FormatText(const std::string& format, std::initializer_list<std::string> texts);
