#pragma once
// What the configuration pages keep of a typed text: the text without blanks (space, tab, CR, LF) at
// either end.
#include <string>

std::string TrimmedText(const std::string& text);
