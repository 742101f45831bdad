#include "devmodel/ui/ApListHeadCustomDlg.h"

#include <wx/button.h>
#include <wx/listbox.h>
#include <wx/sizer.h>
#include <wx/statline.h>
#include <wx/stattext.h>

#include "db/ApListDBManager.h"
#include "platform/MessageBox.h"

CApListHeadCustomDlg::CApListHeadCustomDlg(wxWindow* parent) : wxDialog(parent, wxID_ANY, "Custom") {
  auto* lists = new wxBoxSizer(wxHORIZONTAL);
  auto* left = new wxBoxSizer(wxVERTICAL);
  left->Add(new wxStaticText(this, wxID_ANY, "Available:"), 0, wxBOTTOM, 4);
  left->Add(new wxListBox(this, kAvailableList, wxDefaultPosition, wxSize(190, 300), 0, nullptr,
                          wxLB_EXTENDED | wxLB_NEEDED_SB),
            1, wxEXPAND);
  auto* buttons = new wxBoxSizer(wxVERTICAL);
  buttons->AddSpacer(30);
  const std::pair<int, const char*> moves[] = {{kAdd, "Add >>"},       {kAddAll, "Add All"},  {kRemove, "<< Remove"},
                                               {kRemoveAll, "Remove All"}, {kMoveUp, "Move Up"}, {kMoveDown, "Move Down"}};
  for (const auto& [id, text] : moves) {
    if (id == kMoveUp) buttons->AddSpacer(30);
    buttons->Add(new wxButton(this, id, text), 0, wxEXPAND | wxBOTTOM, 8);
  }
  auto* right = new wxBoxSizer(wxVERTICAL);
  right->Add(new wxStaticText(this, wxID_ANY, "Choosen:"), 0, wxBOTTOM, 4);
  right->Add(new wxListBox(this, kChosenList, wxDefaultPosition, wxSize(190, 300), 0, nullptr,
                           wxLB_EXTENDED | wxLB_NEEDED_SB),
             1, wxEXPAND);
  lists->Add(left, 1, wxEXPAND | wxALL, 10);
  lists->Add(buttons, 0, wxTOP | wxBOTTOM, 10);
  lists->Add(right, 1, wxEXPAND | wxALL, 10);
  auto* top = new wxBoxSizer(wxVERTICAL);
  top->Add(lists, 1, wxEXPAND);
  top->Add(new wxStaticLine(this), 0, wxEXPAND | wxLEFT | wxRIGHT, 10);
  auto* closing = new wxBoxSizer(wxHORIZONTAL);
  closing->AddStretchSpacer();
  closing->Add(new wxButton(this, wxID_OK, "OK"), 0, wxRIGHT, 20);
  closing->Add(new wxButton(this, wxID_CANCEL, "Cancel"), 0, wxRIGHT, 20);
  top->Add(closing, 0, wxEXPAND | wxALL, 10);
  SetSizerAndFit(top);
  FindWindow(wxID_OK)->SetFocus();
  static_cast<wxButton*>(FindWindow(wxID_OK))->SetDefault();

  Bind(wxEVT_BUTTON, &CApListHeadCustomDlg::OnCommand, this);
  Bind(wxEVT_LISTBOX, &CApListHeadCustomDlg::OnCommand, this);
  Bind(wxEVT_LISTBOX_DCLICK, &CApListHeadCustomDlg::OnCommand, this);
  Bind(wxEVT_BUTTON, &CApListHeadCustomDlg::OnOk, this, wxID_OK);
}

void CApListHeadCustomDlg::SetColumns(const std::vector<ApListColumn>& all, const std::vector<ApListColumn>& chosen) {
  columns_.clear();
  CDualListModel& model = manager_.Model();
  for (const ApListColumn& column : all) {
    const bool shown = std::any_of(chosen.begin(), chosen.end(),
                                   [&](const ApListColumn& c) { return c.display_name == column.display_name; });
    if (shown) continue;
    columns_.push_back(column);
    model.AddAvailable(column.display_name, columns_.size() - 1);
  }
  for (const ApListColumn& column : chosen) {
    columns_.push_back(column);
    model.AddChosen(column.display_name, columns_.size() - 1);
  }
  manager_.Bind(this, kAvailableList, kChosenList, kAdd, kAddAll, kRemove, kRemoveAll, kMoveUp, kMoveDown);
}

void CApListHeadCustomDlg::OnCommand(wxCommandEvent& event) {
  if (!manager_.HandleCommand(event.GetId(), event.GetEventType())) event.Skip();
}

void CApListHeadCustomDlg::OnOk(wxCommandEvent&) {
  const std::vector<CDualListModel::Key> keys = manager_.Model().ChosenKeys();
  if (keys.empty()) {
    platform::MessageBox("Please select at least one item !");
    return;
  }
  // Kept in the order the user gave them, so Move Up and Move Down show in the list.
  std::vector<ApListColumn> choice;
  for (CDualListModel::Key key : keys) choice.push_back(columns_.at(key));
  if (!ApListDBManager().SaveDisplayedApPropertyNames(choice)) {
    platform::MessageBox("Save failed!");
    return;
  }
  EndModal(wxID_OK);
}
