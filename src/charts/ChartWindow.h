#pragma once
// A window that shows an XY chart over its client area and offers the chart's settings menu on a right
// click; a choice that changes the chart redraws it.
#include <wx/window.h>

#include <memory>

#include "chartcore/ChartMenu.h"

class CXYChart;

class CChartWindow : public wxWindow {
 public:
  // The chart stays the caller's and must outlive the window.
  CChartWindow(wxWindow* parent, wxWindowID id, CXYChart& chart);

  CXYChart& Chart() { return chart_; }
  // Replaces the popup that shows the settings menu (the window's own by default).
  void SetMenuHost(std::unique_ptr<CChartMenuHost> host) { menuHost_ = std::move(host); }

 private:
  void OnPaint(wxPaintEvent& event);
  void OnContextMenu(wxContextMenuEvent& event);

  CXYChart& chart_;
  std::unique_ptr<CChartMenuHost> menuHost_;
};
