#include "loadbalance/ui/LoadBalanceRenameDialog.h"

#include <wx/button.h>
#include <wx/sizer.h>
#include <wx/statline.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include "lbmodel/LoadBalanceForms.h"
#include "platform/MessageBox.h"

CLoadBalanceRenameDialog::CLoadBalanceRenameDialog(wxWindow* parent, const std::string& oldName,
                                                   std::vector<std::string> groupNames)
    : wxDialog(parent, wxID_ANY, "Rename Group"), m_oldName(oldName), m_groupNames(std::move(groupNames)) {
  auto* grid = new wxFlexGridSizer(2, 8, 8);
  grid->Add(new wxStaticText(this, wxID_ANY, "Group Name"), 0, wxALIGN_CENTER_VERTICAL);
  grid->Add(new wxTextCtrl(this, IDC_OLD_NAME, wxString::FromUTF8(oldName), wxDefaultPosition, wxSize(180, -1),
                           wxTE_READONLY));
  grid->Add(new wxStaticText(this, wxID_ANY, "New Group Name"), 0, wxALIGN_CENTER_VERTICAL);
  m_newName = new wxTextCtrl(this, IDC_NEW_NAME, "", wxDefaultPosition, wxSize(180, -1));
  grid->Add(m_newName);
  auto* top = new wxBoxSizer(wxVERTICAL);
  top->Add(grid, 0, wxALL, 10);
  top->Add(new wxStaticLine(this), 0, wxEXPAND | wxLEFT | wxRIGHT, 8);
  top->Add(CreateButtonSizer(wxOK | wxCANCEL), 0, wxEXPAND | wxALL, 8);
  SetSizerAndFit(top);
  Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { OnOk(); }, wxID_OK);
}

std::string CLoadBalanceRenameDialog::NewName() const { return m_newName->GetValue().utf8_string(); }

void CLoadBalanceRenameDialog::OnOk() {
  const FormAnswer answer = CheckRename(m_oldName, NewName(), m_groupNames);
  if (answer.kind == FormAnswer::Close) return EndModal(wxID_OK);
  if (!answer.message.empty()) platform::MessageBox(answer.message);
}
