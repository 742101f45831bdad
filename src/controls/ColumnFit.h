#pragma once
// The width a list column needs to show its heading and its texts whole, in the list's own font.
#include <wx/window.h>

#include <string>
#include <vector>

// Only the longest texts (by their number of bytes) are measured, so a list of thousands of rows is fitted
// in a few measurements. imageWidth: the width of the image drawn before the texts, 0 when none.
int ColumnWidthForTexts(const wxWindow& list, const std::string& heading, std::vector<std::string> texts,
                        int imageWidth = 0);
