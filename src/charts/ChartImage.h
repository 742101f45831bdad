#pragma once
// A chart drawn off-screen into an image, for reports: no window and no screen are involved, only what the
// toolkit needs to draw text and lines into memory.
#include <wx/image.h>

#include <string>

class CChart;

// Draws the chart over the whole image of width x height pixels on a white ground.
wxImage RenderChartImage(CChart& chart, int width, int height);
// The same, written as a PNG file; false when the image cannot be made or written.
bool SaveChartPng(CChart& chart, int width, int height, const std::string& path);
