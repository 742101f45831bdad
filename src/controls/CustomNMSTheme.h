#pragma once
// The command bars' look: one colour for the bars' own element and a blue gradient behind tool bars.
#include <wx/colour.h>
#include <wx/dc.h>

class CCustomNMSTheme {
 public:
  // Where a bar sits and what kind it is.
  enum BarPosition { xtpBarTop = 0, xtpBarBottom = 1, xtpBarLeft = 2, xtpBarRight = 3, xtpBarFloating = 4,
                     xtpBarPopup = 5 };
  enum BarType { xtpBarTypeMenuBar = 0, xtpBarTypeNormal = 1, xtpBarTypePopup = 2 };

  CCustomNMSTheme();
  virtual ~CCustomNMSTheme() = default;

  virtual void RefreshMetrics();
  // Tool bars docked at an edge get the gradient; floating and pop-up bars and other kinds the plain fill.
  virtual void FillCommandBarEntry(wxDC& dc, const wxRect& client, BarPosition position, BarType type);

  const wxColour& CommandBarColour() const { return commandBarColour_; }

  static const wxColour kGradientTop;
  static const wxColour kGradientBottom;

 private:
  wxColour commandBarColour_;
};
