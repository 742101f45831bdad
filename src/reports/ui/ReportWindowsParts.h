#pragma once
// The window side of the report export: the save-as dialog and the off-screen chart drawing.
#include <optional>
#include <string>

class CChart;

// A save-as dialog with the overwrite prompt and no parent; nothing when cancelled.
std::optional<std::string> ChooseReportFile(const std::string& filter, const std::string& defaultExtension);
// Draws the chart off screen into a 24-bit BMP file of width x height pixels; false when it cannot.
bool WriteChartBitmap(CChart& chart, int width, int height, const std::string& bmpPath);
