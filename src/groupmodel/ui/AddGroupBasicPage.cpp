#include "groupmodel/ui/AddGroupBasicPage.h"

#include <wx/listctrl.h>
#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include "groupmodel/GroupNameRule.h"
#include "groups/GroupStore.h"
#include "platform/MessageBox.h"

CAddGroupBasicPage::CAddGroupBasicPage(wxWindow* sheet) : CTreePropPage(sheet, "Basic") {
  name_ = new wxTextCtrl(this, kNameEdit);
  constexpr int kWidth = 420;
  list_ = new wxListCtrl(this, kApList, wxDefaultPosition, wxSize(kWidth, 240), wxLC_REPORT | wxLC_HRULES | wxLC_VRULES);
  list_->EnableCheckBoxes();
  for (const char* column : {"AP Name", "IP", "MAC"}) list_->AppendColumn(column, wxLIST_FORMAT_LEFT, kWidth / 3 - 2);
  std::vector<ApInfoRecord> aps;
  GetGroupStore()->GetManagedApList(aps);
  for (const ApInfoRecord& ap : aps) {
    const long row = list_->InsertItem(list_->GetItemCount(), wxString::FromUTF8(ap.name));
    list_->SetItem(row, 1, wxString::FromUTF8(ap.ip));
    list_->SetItem(row, 2, wxString::FromUTF8(ap.mac));
  }
  auto* page = new wxBoxSizer(wxVERTICAL);
  auto* name = new wxBoxSizer(wxHORIZONTAL);
  name->Add(new wxStaticText(this, wxID_ANY, "Group Name :"), 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, 6);
  name->Add(name_, 1);
  page->Add(name, 0, wxEXPAND | wxALL, 8);
  page->Add(new wxStaticText(this, wxID_ANY, "Avaliable Device List"), 0, wxLEFT | wxRIGHT, 8);
  page->Add(list_, 1, wxEXPAND | wxALL, 8);
  SetSizerAndFit(page);
}

bool CAddGroupBasicPage::OnKillActive() {
  groupName_ = name_->GetValue().utf8_string();
  selected_.clear();
  if (auto refusal = CGroupNameRule::Check(groupName_, "Please input group name")) {
    platform::MessageBox(refusal->message, refusal->caption, refusal->style);
    name_->SetFocus();
    return false;
  }
  for (long row = 0; row < list_->GetItemCount(); ++row) {
    if (!list_->IsItemChecked(row)) continue;
    ApInfoRecord ap;
    ap.ip = list_->GetItemText(row, 1).utf8_string();
    ap.mac = list_->GetItemText(row, 2).utf8_string();
    selected_.push_back(ap);
  }
  return true;
}
