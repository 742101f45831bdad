#include "groupmodel/ui/GroupMacControlPage.h"

#include <wx/listctrl.h>
#include <wx/sizer.h>

namespace {
using M = CMacFilterPageModel;
const std::initializer_list<int> kControls = {M::kDisabled, M::kAccept,  M::kReject, M::kOperation, M::kMacLabel,
                                              M::kListLabel, M::kMacEdit, M::kAdd,    M::kDelete,    M::kList};
}  // namespace

CGroupMacControlPage::CGroupMacControlPage(wxWindow* sheet, CMacFilterPageModel& model)
    : CTreePropPage(sheet, "MAC Filter"), model_(model), c_(this) {
  Build();
  Bind(wxEVT_SHOW, &CGroupMacControlPage::OnShow, this);
}

void CGroupMacControlPage::Build() {
  list_ = new wxListCtrl(this, M::kList, wxDefaultPosition, wxSize(360, 220), wxLC_REPORT | wxLC_HRULES | wxLC_VRULES);
  list_->InsertColumn(0, "No.", wxLIST_FORMAT_LEFT, 360 / 2 - 15);
  list_->InsertColumn(1, "MAC address", wxLIST_FORMAT_LEFT, 360 / 2);
  auto* page = new wxBoxSizer(wxVERTICAL);
  page->Add(Row({c_.Check(M::kIncludeBox), c_.Label(M::kOperation, "Operation")}), 0, wxALL, 6);
  page->Add(Row({c_.Label(M::kMacLabel, "MAC Address"), c_.Edit(M::kMacEdit), c_.Button(M::kAdd, "Add"),
                 c_.Button(M::kDelete, "Delete")}), 0, wxALL, 6);
  page->Add(c_.Radio(M::kDisabled, "Disabled MAC Filters", true), 0, wxLEFT, 12);
  page->Add(c_.Radio(M::kAccept, "Accept MAC Address Listed Below To Access"), 0, wxLEFT, 12);
  page->Add(c_.Radio(M::kReject, "Reject MAC Address Listed Below To Access"), 0, wxLEFT, 12);
  page->Add(c_.Label(M::kListLabel, "Mac Control List"), 0, wxALL, 6);
  page->Add(list_, 1, wxEXPAND | wxLEFT | wxRIGHT | wxBOTTOM, 6);
  SetSizerAndFit(page);

  Bind(wxEVT_CHECKBOX, [this](wxCommandEvent&) { ReadControls(); model_.ToggleInclude(); Refresh(); }, M::kIncludeBox);
  Bind(wxEVT_BUTTON, [this](wxCommandEvent&) {
    ReadControls();
    if (!model_.Add() && model_.macText == c_.Text(M::kMacEdit)) c_.Focus(M::kMacEdit);
    Refresh();
  }, M::kAdd);
  Bind(wxEVT_BUTTON, [this](wxCommandEvent&) {
    ReadControls();
    model_.Delete(static_cast<int>(list_->GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED)));
    Refresh();
  }, M::kDelete);
}

void CGroupMacControlPage::OnShow(wxShowEvent& event) {
  event.Skip();
  if (!event.IsShown() || opened_) return;
  opened_ = true;
  model_.Open();
  Refresh();
}

void CGroupMacControlPage::ReadControls() {
  model_.macText = c_.Text(M::kMacEdit);
  model_.SelectType(c_.IsChecked(M::kDisabled) ? 0 : c_.IsChecked(M::kAccept) ? 1 : c_.IsChecked(M::kReject) ? 2 : -1);
}

void CGroupMacControlPage::Refresh() {
  if (!opened_) return;
  const auto& rows = model_.Rows();
  list_->DeleteAllItems();
  for (size_t i = 0; i < rows.size(); ++i) {
    const long row = list_->InsertItem(static_cast<long>(i), wxString::FromUTF8(rows[i].number));
    list_->SetItem(row, 1, wxString::FromUTF8(rows[i].mac));
  }
  c_.SetChecked(M::kIncludeBox, model_.Included());
  c_.Enable({M::kIncludeBox}, !model_.IncludeLocked());
  c_.Enable(kControls, model_.Included());
  const int ticked[] = {M::kDisabled, M::kAccept, M::kReject};
  if (model_.TickedType() >= 0 && model_.TickedType() <= 2) c_.SetChecked(ticked[model_.TickedType()], true);
  c_.SetText(M::kMacEdit, model_.macText);
}

bool CGroupMacControlPage::OnKillActive() {
  if (!opened_) return true;
  ReadControls();
  if (auto failure = model_.Validate()) {
    c_.ShowFailure(*failure);
    return false;
  }
  return true;
}
