#include "config/ui/ApCfgMacControlPage.h"

#include <wx/stattext.h>

namespace {
using M = CApMacFilterPageModel;
}

CApCfgMacControlPage::CApCfgMacControlPage(wxWindow* sheet, CApConfigSheetModel& model)
    : CApConfigPage(sheet, "MAC Filter", model, CApConfigSheetModel::kMacFilter), page_(model.macFilter) {
  auto* outer = new wxBoxSizer(wxVERTICAL);
  auto* types = new wxBoxSizer(wxHORIZONTAL);
  auto* buttons = new wxBoxSizer(wxVERTICAL);
  disabled_ = new wxRadioButton(this, M::kDisabled, "Disabled MAC Filters", wxDefaultPosition, wxDefaultSize, wxRB_GROUP);
  accept_ = new wxRadioButton(this, M::kAccept, "Accept MAC Address Listed Below To Access");
  reject_ = new wxRadioButton(this, M::kReject, "Reject MAC Address Listed Below To Access ");
  for (wxRadioButton* button : {disabled_, accept_, reject_}) buttons->Add(button, 0, wxBOTTOM, 2);
  types->Add(buttons, 1);
  types->Add(AddMark(1347), 0, wxLEFT, 4);
  outer->Add(types, 0, wxEXPAND | wxALL, 8);
  auto* entry = new wxBoxSizer(wxHORIZONTAL);
  macText_ = new wxTextCtrl(this, M::kMacText);
  entry->Add(new wxStaticText(this, wxID_ANY, "MAC"), 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, 6);
  entry->Add(macText_, 1, wxRIGHT, 6);
  entry->Add(new wxButton(this, M::kAdd, "Add"), 0, wxRIGHT, 6);
  entry->Add(new wxButton(this, M::kDelete, "Delete"));
  outer->Add(entry, 0, wxEXPAND | wxLEFT | wxRIGHT, 8);
  auto* listRow = new wxBoxSizer(wxHORIZONTAL);
  list_ = new wxListCtrl(this, M::kList, wxDefaultPosition, wxSize(320, 160),
                         wxLC_REPORT | wxLC_SINGLE_SEL | wxLC_HRULES | wxLC_VRULES);
  list_->AppendColumn("No.", wxLIST_FORMAT_LEFT, 145);
  list_->AppendColumn("MAC address", wxLIST_FORMAT_LEFT, 160);
  listRow->Add(list_, 1, wxEXPAND);
  listRow->Add(AddMark(1348), 0, wxLEFT, 4);
  outer->Add(listRow, 1, wxEXPAND | wxALL, 8);
  SetSizerAndFit(outer);
  Bind(wxEVT_BUTTON, &CApCfgMacControlPage::OnAdd, this, M::kAdd);
  Bind(wxEVT_BUTTON, &CApCfgMacControlPage::OnDelete, this, M::kDelete);
}

void CApCfgMacControlPage::FillList() {
  list_->DeleteAllItems();
  const auto& rows = page_.Rows();
  for (size_t i = 0; i < rows.size(); ++i) {
    const long item = list_->InsertItem(static_cast<long>(i), std::to_string(i + 1));
    list_->SetItem(item, 1, wxString::FromUTF8(rows[i]));
  }
}

void CApCfgMacControlPage::Load() {
  ApplyMarks(CApMacFilterPageModel::Marks(model_.context.markers));
  if (page_.filterType == 0) disabled_->SetValue(true);
  if (page_.filterType == 1) accept_->SetValue(true);
  if (page_.filterType == 2) reject_->SetValue(true);
  FillList();
  if (!model_.context.reachable) DisableControls({M::kMacText, M::kAdd, M::kDelete, M::kDisabled, M::kAccept, M::kReject});
}

void CApCfgMacControlPage::Save() {
  page_.filterType = disabled_->GetValue() ? 0 : accept_->GetValue() ? 1 : reject_->GetValue() ? 2 : -1;
}

void CApCfgMacControlPage::OnAdd(wxCommandEvent&) {
  Save();
  page_.Add(macText_->GetValue().utf8_string());
  macText_->Clear();
  FillList();
}

void CApCfgMacControlPage::OnDelete(wxCommandEvent&) {
  page_.Delete(static_cast<int>(list_->GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED)));
  FillList();
}
