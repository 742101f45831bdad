#include "groupmodel/ui/CfgGroupApDlg.h"

#include <wx/button.h>
#include <wx/sizer.h>
#include <wx/stattext.h>

#include "groupmodel/ui/ApListControl.h"

CCfgGroupApDlg::CCfgGroupApDlg(wxWindow* parent) : wxDialog(parent, wxID_ANY, "Config Group AP List") {
  available_ = new CApListControl(this, kAvailable, false);
  members_ = new CApListControl(this, kMembers, false);
  auto* left = new wxBoxSizer(wxVERTICAL);
  left->Add(new wxStaticText(this, wxID_ANY, "Available AP List"));
  left->Add(available_, 1, wxEXPAND);
  auto* middle = new wxBoxSizer(wxVERTICAL);
  middle->Add(new wxButton(this, kAdd, "&Add >>"), 0, wxBOTTOM, 6);
  middle->Add(new wxButton(this, kDelete, "<< &Delete"));
  auto* right = new wxBoxSizer(wxVERTICAL);
  right->Add(new wxStaticText(this, wxID_ANY, "Group AP List"));
  right->Add(members_, 1, wxEXPAND);
  auto* lists = new wxBoxSizer(wxHORIZONTAL);
  lists->Add(left, 1, wxEXPAND);
  lists->Add(middle, 0, wxALIGN_CENTER_VERTICAL | wxLEFT | wxRIGHT, 8);
  lists->Add(right, 1, wxEXPAND);
  auto* all = new wxBoxSizer(wxVERTICAL);
  all->Add(lists, 1, wxEXPAND | wxALL, 10);
  all->Add(CreateButtonSizer(wxOK | wxCANCEL), 0, wxALIGN_RIGHT | wxLEFT | wxRIGHT | wxBOTTOM, 10);
  SetSizerAndFit(all);
  Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { Add(); }, kAdd);
  Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { Remove(); }, kDelete);
  available_->Bind(wxEVT_LIST_ITEM_ACTIVATED, [this](wxListEvent&) { Add(); });
  members_->Bind(wxEVT_LIST_ITEM_ACTIVATED, [this](wxListEvent&) { Remove(); });
  // A failed save still ends with OK, so the caller rebuilds its tree either way.
  Bind(wxEVT_BUTTON, [this](wxCommandEvent&) {
    model_->Save();
    EndModal(wxID_OK);
  }, wxID_OK);
}

int CCfgGroupApDlg::ShowModal() {
  model_ = std::make_unique<CGroupApListModel>(m_strGroupName);
  model_->Load();
  ShowLists();
  return wxDialog::ShowModal();
}

void CCfgGroupApDlg::ShowLists() {
  available_->SetAps(model_->Available());
  members_->SetAps(model_->Members());
}

void CCfgGroupApDlg::Add() {
  if (model_->Add(available_->FirstSelected())) ShowLists();
}

void CCfgGroupApDlg::Remove() {
  if (model_->Remove(members_->FirstSelected())) ShowLists();
}
