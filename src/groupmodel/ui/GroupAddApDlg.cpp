#include "groupmodel/ui/GroupAddApDlg.h"

#include <wx/button.h>
#include <wx/sizer.h>
#include <wx/stattext.h>

#include <algorithm>
#include <vector>

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
  const std::vector<ApInfoRecord> shown = model_->Candidates();
  if (model_->Commit(list_->CheckedRows())) {
    EndModal(wxID_OK);
    return;
  }
  // A refusal part-way leaves the APs added before it out of the candidates: the list follows them.
  const auto sameMac = [](const ApInfoRecord& a, const ApInfoRecord& b) { return a.mac == b.mac; };
  if (!std::equal(shown.begin(), shown.end(), model_->Candidates().begin(), model_->Candidates().end(), sameMac))
    list_->SetAps(model_->Candidates());
}
