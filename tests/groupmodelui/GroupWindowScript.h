#pragma once
// Simulated input for the group windows' tests: clicks and typing as a user makes them, and a script run
// on a modal dialog from inside its modal loop.
#include <gtest/gtest.h>
#include <wx/dialog.h>
#include <wx/textctrl.h>
#include <wx/timer.h>
#include <wx/toplevel.h>
#include <wx/treectrl.h>
#include <wx/uiaction.h>

#include <chrono>
#include <functional>
#include <string>
#include <thread>

#include "support/ui/WxTestEnvironment.h"

namespace group_ui_test {

inline void ClickAt(const wxPoint& screen) {
  wxUIActionSimulator simulator;
  simulator.MouseMove(screen);
  testing_support::PumpPending();
  simulator.MouseClick();
  for (int i = 0; i < 5; ++i) testing_support::PumpPending();
}

inline void Click(wxWindow* window) {
  ASSERT_NE(window, nullptr);
  const wxRect area = window->GetScreenRect();
  ClickAt(wxPoint(area.x + area.width / 2, area.y + area.height / 2));
}

// A check box or radio button is clicked on its box, at its left end.
inline void ClickBox(wxWindow* window) {
  ASSERT_NE(window, nullptr);
  const wxRect area = window->GetScreenRect();
  ClickAt(wxPoint(area.x + 8, area.y + area.height / 2));
}

inline void ClickTreeItem(wxTreeCtrl* tree, const wxTreeItemId& item) {
  wxRect rect;
  ASSERT_TRUE(tree->GetBoundingRect(item, rect, true));
  ClickAt(tree->ClientToScreen(wxPoint(rect.x + rect.width / 2, rect.y + rect.height / 2)));
}

// Replaces the text of an edit by typing, as a user selects all and types over it.
inline bool TypeInto(wxWindow* field, const std::string& text) {
  auto* edit = dynamic_cast<wxTextCtrl*>(field);
  if (!edit) return false;
  edit->SetFocus();
  testing_support::PumpUntil([&] { return wxWindow::FindFocus() == edit; });
  wxUIActionSimulator simulator;
  if (!edit->GetValue().empty()) {
    edit->SelectAll();
    simulator.Char(WXK_BACK);
    testing_support::PumpUntil([&] { return edit->GetValue().empty(); });
  }
  simulator.Text(text.c_str());
  return testing_support::PumpUntil([&] { return edit->GetValue().utf8_string() == text; });
}

inline wxTreeItemId FindItem(wxTreeCtrl* tree, const std::string& text, wxTreeItemId parent = wxTreeItemId()) {
  if (!parent.IsOk()) parent = tree->GetRootItem();
  wxTreeItemIdValue cookie;
  for (wxTreeItemId item = tree->GetFirstChild(parent, cookie); item.IsOk(); item = tree->GetNextChild(parent, cookie)) {
    if (tree->GetItemText(item).utf8_string() == text) return item;
    if (wxTreeItemId below = FindItem(tree, text, item); below.IsOk()) return below;
  }
  return {};
}

// Runs the script on the next modal dialog of the class that opens, from inside its modal loop; a
// script that leaves the dialog open gets it cancelled, so a test never waits for ever.
template <class Dialog>
class ModalScript {
 public:
  explicit ModalScript(std::function<void(Dialog*)> script) : script_(std::move(script)) {
    timer_.Bind(wxEVT_TIMER, [this](wxTimerEvent&) { Poll(); });
    timer_.Start(20);
  }
  bool Ran() const { return ran_; }

 private:
  void Poll() {
    for (wxWindow* window : wxTopLevelWindows) {
      auto* dialog = dynamic_cast<Dialog*>(window);
      if (!dialog || !dialog->IsModal() || !dialog->IsShownOnScreen()) continue;
      timer_.Stop();
      for (int round = 0; round < 10; ++round) testing_support::PumpPending();
      script_(dialog);
      ran_ = true;
      const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
      while (dialog->IsModal() && std::chrono::steady_clock::now() < deadline) {
        testing_support::PumpPending();
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
      }
      if (dialog->IsModal()) dialog->EndModal(wxID_CANCEL);
      return;
    }
  }

  std::function<void(Dialog*)> script_;
  wxTimer timer_;
  bool ran_ = false;
};

}  // namespace group_ui_test
