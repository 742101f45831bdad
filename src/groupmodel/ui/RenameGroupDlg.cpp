#include "groupmodel/ui/RenameGroupDlg.h"

#include <wx/button.h>
#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include "groupmodel/GroupNameRule.h"
#include "platform/MessageBox.h"

CRenameGroupDlg::CRenameGroupDlg(wxWindow* parent) : wxDialog(parent, wxID_ANY, "Rename Group") {
  current_ = new wxTextCtrl(this, kCurrentName);
  current_->Disable();
  newName_ = new wxTextCtrl(this, kNewName);
  auto* grid = new wxFlexGridSizer(2, 6, 6);
  grid->Add(new wxStaticText(this, wxID_ANY, "Current Name:"), 0, wxALIGN_CENTER_VERTICAL);
  grid->Add(current_, 1, wxEXPAND);
  grid->Add(new wxStaticText(this, wxID_ANY, "New Name:"), 0, wxALIGN_CENTER_VERTICAL);
  grid->Add(newName_, 1, wxEXPAND);
  grid->AddGrowableCol(1);
  auto* buttons = new wxBoxSizer(wxHORIZONTAL);
  buttons->Add(new wxButton(this, wxID_OK, "&Ok"), 0, wxRIGHT, 6);
  buttons->Add(new wxButton(this, wxID_CANCEL, "&Cancel"));
  auto* all = new wxBoxSizer(wxVERTICAL);
  all->Add(grid, 1, wxEXPAND | wxALL, 10);
  all->Add(buttons, 0, wxALIGN_RIGHT | wxLEFT | wxRIGHT | wxBOTTOM, 10);
  SetSizerAndFit(all);
  SetSize(wxSize(340, -1));
  Bind(wxEVT_BUTTON, &CRenameGroupDlg::OnOk, this, wxID_OK);
}

int CRenameGroupDlg::ShowModal() {
  current_->ChangeValue(wxString::FromUTF8(m_strCurrentName));
  newName_->ChangeValue(wxString::FromUTF8(m_strNewName));
  newName_->SetFocus();
  return wxDialog::ShowModal();
}

void CRenameGroupDlg::OnOk(wxCommandEvent&) {
  m_strNewName = newName_->GetValue().utf8_string();
  if (auto refusal = CGroupNameRule::Check(m_strNewName, "please input new group name")) {
    newName_->SetFocus();
    platform::MessageBox(refusal->message, refusal->caption, refusal->style);
    return;
  }
  EndModal(wxID_OK);
}
