#pragma once
// Simulated input for the device views' tests: right clicks, an entry of the popup menu chosen with the
// keyboard from inside the menu's own loop, and list-box rows clicked.
#include <wx/listbox.h>
#include <wx/timer.h>
#include <wx/uiaction.h>

#include "groupmodelui/GroupWindowScript.h"

namespace device_ui_test {

using group_ui_test::ClickAt;

// Chooses the n-th entry (from 1) of the next popup menu: the menu runs its own loop, so the keys are
// sent from a timer while it is open.
class MenuChoice {
 public:
  explicit MenuChoice(int entry) : entry_(entry) {
    timer_.Bind(wxEVT_TIMER, [this](wxTimerEvent&) {
      wxUIActionSimulator simulator;
      for (int i = 0; i < entry_; ++i) simulator.Char(WXK_DOWN);
      simulator.Char(WXK_RETURN);
      fired_ = true;
    });
    timer_.StartOnce(700);
  }
  bool Fired() const { return fired_; }

 private:
  int entry_;
  wxTimer timer_;
  bool fired_ = false;
};

inline void RightClickAt(const wxPoint& screen) {
  wxUIActionSimulator simulator;
  simulator.MouseMove(screen);
  testing_support::PumpPending();
  simulator.MouseClick(wxMOUSE_BTN_RIGHT);
  for (int i = 0; i < 5; ++i) testing_support::PumpPending();
}

// Clicks the row of a list box (extended selection: a plain click selects it alone).
inline bool ClickListBoxRow(wxListBox* box, int row) {
  const wxSize size = box->GetClientSize();
  for (int y = 1; y < size.y; ++y) {
    if (box->HitTest(wxPoint(8, y)) != row) continue;
    ClickAt(box->ClientToScreen(wxPoint(20, y + 4)));
    return true;
  }
  return false;
}

}  // namespace device_ui_test
