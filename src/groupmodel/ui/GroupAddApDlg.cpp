#include "groupmodel/ui/GroupAddApDlg.h"

#include <wx/button.h>
#include <wx/sizer.h>
#include <wx/stattext.h>

#include "groupmodel/ui/ApListControl.h"

CGroupAddApDlg::CGroupAddApDlg(wxWindow* parent) : wxDialog(parent, wxID_ANY, "Add Group AP") {
  list_ = new CApListControl(this, kList, true);
  auto* all = new wxBoxSizer(wxVERTICAL);
  all->Add(new wxStaticText(this, wxID_ANY, "Management AP List"), 0, wxLEFT | wxTOP, 10);
  all->Add(list_, 1, wxEXPAND | wxALL, 10);
  all->Add(CreateButtonSizer(wxOK | wxCANCEL), 0, wxALIGN_RIGHT | wxLEFT | wxRIGHT | wxBOTTOM, 10);
  SetSizerAndFit(all);
  Bind(wxEVT_BUTTON, &CGroupAddApDlg::OnOk, this, wxID_OK);
}

int CGroupAddApDlg::ShowModal() {
  model_ = std::make_unique<CGroupAddApModel>(m_strGroupName);
  model_->Load();
  list_->SetAps(model_->Candidates());
  return wxDialog::ShowModal();
}

void CGroupAddApDlg::OnOk(wxCommandEvent&) {
  if (model_->Commit(list_->CheckedRows())) EndModal(wxID_OK);
}
