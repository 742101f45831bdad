#pragma once
// A property page's caption is its place in the page tree: items joined by "::". A backslash escapes a
// separator ("\::") and itself ("\\").
#include <string>

// Removes the first item from the path and returns it, unescaped; the last item is returned as written.
std::string TakeFirstPathItem(std::string& rest);

// The empty-page text: the format with its "%s" replaced by the node's text and "%%" by "%".
std::string FormatNoPageMessage(const std::string& format, const std::string& nodeText);
