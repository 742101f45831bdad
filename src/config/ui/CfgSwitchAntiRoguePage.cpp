#include "config/ui/CfgSwitchAntiRoguePage.h"

#include <wx/sizer.h>
#include <wx/stattext.h>

CCfgSwitchAntiRoguePage::CCfgSwitchAntiRoguePage(wxWindow* sheet) : CTreePropPage(sheet, "Anti-rogue") {
  auto* column = new wxBoxSizer(wxVERTICAL);
  auto* choices = new wxFlexGridSizer(4, 4, 8);
  for (const char* label : {"From Port", "To Port", "Control"}) choices->Add(new wxStaticText(this, wxID_ANY, label));
  choices->AddSpacer(0);
  from_ = new wxChoice(this, kFromPort, wxDefaultPosition, wxSize(80, -1));
  to_ = new wxChoice(this, kToPort, wxDefaultPosition, wxSize(80, -1));
  control_ = new wxChoice(this, kControl, wxDefaultPosition, wxSize(100, -1));
  control_->Append("Enable");
  control_->Append("Disable");
  apply_ = new wxButton(this, kApply, "Apply");
  for (wxWindow* control : std::initializer_list<wxWindow*>{from_, to_, control_, apply_}) choices->Add(control);
  column->Add(choices, 0, wxALL, 6);
  list_ = new wxListCtrl(this, kList, wxDefaultPosition, wxSize(300, 240), wxLC_REPORT | wxLC_HRULES | wxLC_VRULES);
  column->Add(list_, 1, wxEXPAND | wxALL, 6);
  SetSizer(column);
  apply_->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { OnButtonApply(); });
}

void CCfgSwitchAntiRoguePage::InitControls() {
  model_ = std::make_unique<CAntiRoguePageModel>(mac_);
  model_->InitControls();
  from_->Clear();
  to_->Clear();
  for (int port = 1; port <= model_->OfferedPorts(); ++port) {
    from_->Append(std::to_string(port));
    to_->Append(std::to_string(port));
  }
  const int width = list_->GetClientSize().GetWidth();
  list_->ClearAll();
  list_->InsertColumn(0, "Port", wxLIST_FORMAT_LEFT, width / 3 - 8);
  list_->InsertColumn(1, "Anti-Rogue Control", wxLIST_FORMAT_LEFT, width * 2 / 3 - 8);
  RefreshList();
  const bool changeable = model_->CanChange();
  for (wxWindow* control : std::initializer_list<wxWindow*>{from_, to_, control_, apply_}) control->Enable(changeable);
}

void CCfgSwitchAntiRoguePage::RefreshList() { ShowRows(model_->RefreshList()); }

void CCfgSwitchAntiRoguePage::ShowRows(const std::vector<CAntiRoguePageModel::Row>& rows) {
  list_->DeleteAllItems();
  for (const CAntiRoguePageModel::Row& row : rows) {
    const long item = list_->InsertItem(list_->GetItemCount(), std::to_string(row.port));
    list_->SetItem(item, 1, row.enabled ? "Enable" : "Disable");
  }
}

void CCfgSwitchAntiRoguePage::OnButtonApply() {
  // After a successful Apply the model holds the stored text reloaded.
  if (model_->Apply(from_->GetSelection(), to_->GetSelection(), control_->GetSelection())) ShowRows(model_->Rows());
}
