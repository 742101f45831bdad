#pragma once
// The top row the utilisation views share: the Hour, Day and Week radios, the First, Prev, Next and Last
// buttons with their tool tips, the Export button and the label of the shown range, each placed in dialog
// units under the id its view gives it. The view handles the events.
#include <wx/window.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "usage/UtilizationTimeWindow.h"

class wxBitmapButton;
class wxButton;
class wxRadioButton;
class wxStaticText;

// Starts the report export of a kind for the listed APs (none: all); true when a file was written.
using ReportExport = std::function<bool(int kind, const std::vector<std::string>& macs)>;

struct ToolbarControl {
  int id = wxID_ANY;
  wxRect dialogUnits;
};

struct UsageToolbarLayout {
  ToolbarControl hour, day, week;  // radios, in filter order
  int monthId = wxID_ANY;          // a filter id the view handles without a control
  ToolbarControl first, prev, next, last;
  ToolbarControl exportButton;
  ToolbarControl rangeLabel;
  bool centredLabel = false;
};

class CUsageToolbar {
 public:
  CUsageToolbar(wxWindow* parent, const UsageToolbarLayout& layout);

  // The filter of the checked radio; none when no radio is checked.
  std::optional<int> CheckedFilter() const;
  // The filter a radio id (the Month id included) stands for; kFilterNone for another id.
  int FilterOf(int radioId) const;
  // Checks the radio of the id, which unchecks the others; an id without a control changes nothing.
  void CheckRadio(int radioId);

  NavButtonStates Buttons() const;
  void SetButtons(const NavButtonStates& states);
  // The page command of a navigation button id; -1 for another id.
  int PageOf(int buttonId) const;
  void SetRange(const std::string& label);
  std::string Range() const;
  // Where the view's panes may start: below the lowest control of the row, whatever the font and theme
  // make of the dialog units.
  int Bottom() const;

 private:
  UsageToolbarLayout layout_;
  wxRadioButton* radios_[3] = {};
  wxBitmapButton* navigation_[4] = {};
  wxButton* export_ = nullptr;
  wxStaticText* range_ = nullptr;
};
